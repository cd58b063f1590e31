#include "tests/support/FaultyHost.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

struct Link {
    QString text;
    QString href;
    bool operator==(const Link&) const = default;
};

void PrintTo(const Link& link, std::ostream* out)
{
    *out << "{" << link.text.toStdString() << " -> " << link.href.toStdString() << "}";
}

QString unescapeHtml(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral("\u00A0"));
    return text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// The page as Chromium's parser built it, serialized back by --dump-dom.
struct RenderedPage {
    QString dom;

    QString title() const
    {
        const auto match = QRegularExpression(QStringLiteral("<title>(.*?)</title>")).match(dom);
        return unescapeHtml(match.captured(1));
    }
    int count(const QString& tag) const { return int(dom.count(QStringLiteral("<") + tag + QStringLiteral(">"))); }
    QList<Link> links() const
    {
        QList<Link> found;
        static const QRegularExpression anchor(QStringLiteral("<a href=\"([^\"]*)\">(.*?)</a>"));
        for (const auto& match : anchor.globalMatch(dom))
            found.append({unescapeHtml(match.captured(2)), unescapeHtml(match.captured(1))});
        return found;
    }
    QSet<QString> elementNames() const
    {
        QSet<QString> names;
        static const QRegularExpression tag(QStringLiteral("<([a-zA-Z][a-zA-Z0-9-]*)"));
        for (const auto& match : tag.globalMatch(dom))
            names.insert(match.captured(1).toLower());
        return names;
    }
};

QString toQString(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

RenderedPage renderInChromium(const QString& pagePath)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) {
        ADD_FAILURE() << "chromium is not installed; scripts/setup.sh installs it";
        return {};
    }
    QTemporaryDir profile;
    QProcess browser;
    browser.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                             QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                             QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                             QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--dump-dom"),
                             QUrl::fromLocalFile(pagePath).toString()});
    browser.closeWriteChannel();
    if (!browser.waitForFinished(120000)) {
        browser.kill();
        ADD_FAILURE() << "chromium did not finish";
        return {};
    }
    EXPECT_EQ(browser.exitCode(), 0) << browser.readAllStandardError().toStdString();
    return {QString::fromUtf8(browser.readAllStandardOutput())};
}

RenderedPage renderRun(std::u16string_view favorites, std::u16string_view workingFolder)
{
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(workingFolder);
    harness.run(favorites, out.path());
    return renderInChromium(toQString(pageFile(out.path())));
}

const QSet<QString> pageElements{QStringLiteral("html"), QStringLiteral("head"), QStringLiteral("title"),
                                 QStringLiteral("meta"), QStringLiteral("style"), QStringLiteral("body"),
                                 QStringLiteral("ol"),   QStringLiteral("b"),     QStringLiteral("br"),
                                 QStringLiteral("li"),   QStringLiteral("a")};

} // namespace

TEST(BrowserPage, TheSamplePageReadsAsShiftJisWithEveryLinkRight)
{
    const RenderedPage page = renderRun(u"Favorites", utf16(MARKROLL_EXAMPLES_DIR));
    EXPECT_EQ(page.title(), QStringLiteral("ショートカット出力"));
    EXPECT_EQ(page.count(QStringLiteral("ol")), 8);
    EXPECT_EQ(page.links(), (QList<Link>{
        {QStringLiteral("Google"), QStringLiteral("https://www.google.co.jp/")},
        {QStringLiteral("Wikipedia (日本語)"), QStringLiteral("https://ja.wikipedia.org/")},
        {QStringLiteral("ページのタイトル"), QStringLiteral("javascript:(function(){alert(document.title+\"\\n\"+location.href);})();")},
        {QStringLiteral("Debian"), QStringLiteral("https://www.debian.org/")},
        {QStringLiteral("Search & Replace"), QStringLiteral("https://www.gnu.org/software/sed/manual/sed.html#The-_0022s_0022-Command")},
        {QStringLiteral("Search the web"), QStringLiteral("https://www.google.com/search?q=markroll&hl=ja")},
        {QStringLiteral("NHK ニュース"), QStringLiteral("https://www3.nhk.or.jp/news/")},
        {QStringLiteral("日本経済新聞"), QStringLiteral("https://www.nikkei.com/")},
        {QStringLiteral("東京 観光"), QStringLiteral("https://ja.wikipedia.org/wiki/%E6%9D%B1%E4%BA%AC%E9%83%BD")},
        {QStringLiteral("서울 여행"), QStringLiteral("https://ko.wikipedia.org/wiki/%EC%84%9C%EC%9A%B8%ED%8A%B9%EB%B3%84%EC%8B%9C")},
        {QStringLiteral("CMake"), QStringLiteral("https://cmake.org/cmake/help/latest/")},
        {QStringLiteral("Qt ドキュメント"), QStringLiteral("https://doc.qt.io/qt-6/ja/")},
        {QStringLiteral("Debian パッケージ"), QStringLiteral("https://packages.debian.org/ja/")},
    }));
    EXPECT_TRUE(page.dom.contains(QStringLiteral("<br>　※※『壊れたリンク』の読み込みに失敗しました<br>")));
}

TEST(BrowserPage, NamesFromEveryScriptArriveAsTypedAndTargetsPercentEncoded)
{
    TempTree tree;
    tree.shortcut(u"fav/日本語の名前.url", u"https://例え.jp/パス?q=値");
    tree.shortcut(u"fav/Café Crème.url", u"https://café.example/");
    tree.shortcut(u"fav/한국어.url", u"https://example.kr/한국");
    tree.shortcut(u"fav/Fish & Chips.url", u"https://example.com/?a=1&b=2");
    tree.shortcut(u"fav/a < b.url", u"https://example.com/lt");
    const RenderedPage page = renderRun(u"fav", tree.path());
    EXPECT_EQ(page.title(), QStringLiteral("ショートカット出力"));
    EXPECT_EQ(page.links(), (QList<Link>{
        {QStringLiteral("a < b"), QStringLiteral("https://example.com/lt")},
        {QStringLiteral("Café Crème"), QStringLiteral("https://caf%C3%A9.example/")},
        {QStringLiteral("Fish & Chips"), QStringLiteral("https://example.com/?a=1&b=2")},
        {QStringLiteral("日本語の名前"), QStringLiteral("https://%E4%BE%8B%E3%81%88.jp/%E3%83%91%E3%82%B9?q=%E5%80%A4")},
        {QStringLiteral("한국어"), QStringLiteral("https://example.kr/%ED%95%9C%EA%B5%AD")},
    }));
}

TEST(BrowserPage, HostileNamesAndTargetsCreateNoElementsOfTheirOwn)
{
    TempTree tree;
    tree.shortcut(u"fav/quote.url", u"http://x/\" onmouseover=\"alert(1)");
    tree.shortcut(u"fav/break-out.url", u"http://x/\"><script>alert(1)</script>");
    tree.shortcut(u"fav/<img src=x onerror=alert(1)>.url", u"http://x/img");
    tree.shortcut(u"fav/\"><b onmouseover=alert(2)>.url", u"http://x/bold");
    tree.folder(u"fav/<script>alert(3)");
    const RenderedPage page = renderRun(u"fav", tree.path());
    EXPECT_TRUE(pageElements.contains(page.elementNames())) << page.dom.toStdString();
    EXPECT_EQ(page.count(QStringLiteral("ol")), 2);
    EXPECT_EQ(page.count(QStringLiteral("li")), 4);
    EXPECT_FALSE(page.dom.contains(QStringLiteral("onmouseover=\"")));
    const QList<Link> links = page.links();
    ASSERT_EQ(links.size(), 4);
    EXPECT_EQ(links[0], (Link{QStringLiteral("\"><b onmouseover=alert(2)>"), QStringLiteral("http://x/bold")}));
    EXPECT_EQ(links[1], (Link{QStringLiteral("<img src=x onerror=alert(1)>"), QStringLiteral("http://x/img")}));
    EXPECT_EQ(links[2], (Link{QStringLiteral("break-out"), QStringLiteral("http://x/\"><script>alert(1)</script>")}));
    EXPECT_EQ(links[3], (Link{QStringLiteral("quote"), QStringLiteral("http://x/\" onmouseover=\"alert(1)")}));
}
