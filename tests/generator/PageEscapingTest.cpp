#include "Cp932.h"
#include "PageEscaping.h"
#include "PageFormat.h"
#include "ScriptError.h"

#include <gtest/gtest.h>

using namespace markroll;

namespace {
QByteArray encoded(const QString& line)
{
    QByteArray bytes;
    EXPECT_TRUE(cp932::encodeAppend(line, bytes)) << line.toStdString();
    return bytes + "\r\n";
}
} // namespace

TEST(PageFormat, HeadAndStyleBlocksAreTwoHundredAndTwoBytes)
{
    const QByteArray head = encoded(page::headBlock());
    const QByteArray style = encoded(page::styleBlock());
    EXPECT_EQ(head.size(), 122);
    EXPECT_EQ(style.size(), 80);
    EXPECT_TRUE(head.endsWith("\">\r\n\r\n"));
    EXPECT_TRUE(style.startsWith("<STYLE TYPE=\"text/css\">\r\n<!-- OL {font-size=12} -->\r\n"));
}

TEST(PageFormat, SectionOpeningAndNoticeLinesHaveTheirExactBytes)
{
    EXPECT_EQ(encoded(page::sectionOpeningLine(QStringLiteral("C:\\Fav"))),
              QByteArray("\x3C\x4F\x4C\x3E\x81\x99\x3C\x42\x3E" "C:\\Fav" "\x3C\x2F\x42\x3E\x81\x99\x3C\x42\x52\x3E\x0D\x0A"));
    EXPECT_EQ(encoded(page::noticeLine(QStringLiteral("Name"))),
              QByteArray("\x3C\x42\x52\x3E\x81\x40\x81\xA6\x81\xA6\x81\x77" "Name"
                         "\x81\x78\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC"
                         "\x82\xB5\x82\xBD\x3C\x42\x52\x3E\x0D\x0A"));
    EXPECT_EQ(page::linkLine(QStringLiteral("http://a/"), QString()), QStringLiteral("<LI><A Href=\"http://a/\"></A></LI>"));
}

TEST(PageFormat, DisplayNameCutsTheLastFourCharactersByCount)
{
    EXPECT_EQ(page::displayName(QStringLiteral("Google.url")), QStringLiteral("Google"));
    EXPECT_EQ(page::displayName(QStringLiteral("Docs.URL")), QStringLiteral("Docs"));
    EXPECT_EQ(page::displayName(QStringLiteral(".url")), QString());
    EXPECT_THROW(page::displayName(QStringLiteral("abc")), ScriptError);
    EXPECT_THROW(page::displayName(QString()), ScriptError);
}

TEST(PageEscaping, TextKeepsWhatShiftJisCarriesAndReferencesTheRest)
{
    EXPECT_EQ(escapePageText(u"日本語 ①㈱ C:\\x ~"), QStringLiteral("日本語 ①㈱ C:\\x ~"));
    EXPECT_EQ(escapePageText(u"a&b<c>d\"e'f"), QStringLiteral("a&amp;b&lt;c&gt;d&quot;e'f"));
    EXPECT_EQ(escapePageText(u"Café ¥ 〜 한"), QStringLiteral("Caf&#233; &#165; &#12316; &#54620;"));
    EXPECT_EQ(escapePageText(u"😀"), QStringLiteral("&#128512;"));
    EXPECT_EQ(escapePageText(QString(QChar(0xDC00)) + QLatin1Char('x')), QStringLiteral("&#65533;x"));
    EXPECT_EQ(escapePageText(u"tab\there\x7F\x85"), QStringLiteral("tab&#9;here&#127;&#133;"));
    EXPECT_EQ(escapePageText(u"&#38;"), QStringLiteral("&amp;#38;"));
}

TEST(PageEscaping, TargetsArePercentEncodedAsUtf8AndEntityEscaped)
{
    EXPECT_EQ(escapeLinkTarget(u"http://example.com/a?b=1&c=2#x"), QStringLiteral("http://example.com/a?b=1&amp;c=2#x"));
    EXPECT_EQ(escapeLinkTarget(u"http://日本.jp/パス"),
              QStringLiteral("http://%E6%97%A5%E6%9C%AC.jp/%E3%83%91%E3%82%B9"));
    EXPECT_EQ(escapeLinkTarget(u"http://x/\"><script>"), QStringLiteral("http://x/&quot;&gt;&lt;script&gt;"));
    EXPECT_EQ(escapeLinkTarget(u"a\nb\x7F"), QStringLiteral("a%0Ab%7F"));
    EXPECT_EQ(escapeLinkTarget(u"http://x/%20 y"), QStringLiteral("http://x/%20 y"));
    EXPECT_EQ(escapeLinkTarget(u"😀"), QStringLiteral("%F0%9F%98%80"));
}

TEST(PageEscaping, EveryEscapedLineIsWritable)
{
    QString everything;
    for (char32_t c = 1; c < 0x3000; c += 7)
        everything.append(QString::fromUcs4(&c, 1));
    QByteArray sink;
    EXPECT_TRUE(cp932::encodeAppend(page::linkLine(everything, everything), sink));
    EXPECT_TRUE(cp932::encodeAppend(page::sectionOpeningLine(everything), sink));
    EXPECT_TRUE(cp932::encodeAppend(page::noticeLine(everything), sink));
}
