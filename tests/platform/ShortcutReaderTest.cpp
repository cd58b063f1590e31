#include "InternetShortcut.h"
#include "ScriptError.h"
#include "ScriptShell.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QDateTime>
#include <gtest/gtest.h>
#include <variant>
#include <sys/stat.h>

using namespace markroll;
using namespace markroll::test;

namespace {

std::optional<QString> targetOf(const QByteArray& bytes)
{
    return internetShortcutTarget(bytes);
}

QByteArray utf16le(const QString& text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return "\xFF\xFE" + QByteArray(encoder.encode(text));
}

// The target as the shortcut reader gives it for a file, or the error number.
std::variant<QString, int> readTarget(const QString& path)
{
    try {
        return LocalScriptShell().createShortcut(path)->targetPath();
    } catch (const ScriptError& error) {
        return error.number();
    }
}

} // namespace

TEST(ShortcutReader, LineEndsOfEveryKind)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://crlf/\r\n"), QStringLiteral("http://crlf/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\nURL=http://lf/\n"), QStringLiteral("http://lf/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\rURL=http://cr/\r"), QStringLiteral("http://cr/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://no-end/"), QStringLiteral("http://no-end/"));
}

TEST(ShortcutReader, TextEncodings)
{
    EXPECT_EQ(targetOf("\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://例え.jp/\r\n"), QStringLiteral("http://例え.jp/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://例え.jp/\r\n"), QStringLiteral("http://例え.jp/"));
    EXPECT_EQ(targetOf(utf16le(QStringLiteral("[InternetShortcut]\r\nURL=http://ワイド.jp/\r\n"))),
              QStringLiteral("http://ワイド.jp/"));
    // 日本 in code page 932 is not valid UTF-8.
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://x/\x93\xFA\x96\x7B\r\n"), QStringLiteral("http://x/日本"));
}

TEST(ShortcutReader, OnlyTheInternetShortcutUrlIsTheTarget)
{
    EXPECT_EQ(targetOf("[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n"
                       "[InternetShortcut]\r\nURL=http://after-guid/\r\n"),
              QStringLiteral("http://after-guid/"));
    EXPECT_EQ(targetOf("[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=http://real/\r\n"),
              QStringLiteral("http://real/"));
    EXPECT_EQ(targetOf("[DOC#3#4]\r\nBASEURL=http://frame/\r\nORIGURL=http://orig/\r\nURL=http://frame-url/\r\n"
                       "[InternetShortcut]\r\nURL=http://real/\r\n"),
              QStringLiteral("http://real/"));
    EXPECT_EQ(targetOf("[DEFAULT]\r\nBASEURL=http://base/\r\n"), std::nullopt);
}

TEST(ShortcutReader, NamesWithoutLetterCaseValuesTrimmedAndUnquoted)
{
    EXPECT_EQ(targetOf("[internetshortcut]\r\nurl=http://lower/\r\n"), QStringLiteral("http://lower/"));
    EXPECT_EQ(targetOf("  [ InternetShortcut ]  \r\n  URL  =  http://spaced/  \r\n"), QStringLiteral("http://spaced/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\"http://quoted/\"\r\n"), QStringLiteral("http://quoted/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\"http://half-quoted/\r\n"), QStringLiteral("\"http://half-quoted/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\r\n;URL=http://comment/\r\nURL=http://real/\r\n"), QStringLiteral("http://real/"));
}

TEST(ShortcutReader, FirstSectionAndFirstKeyCount)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://first/\r\nURL=http://second/\r\n"), QStringLiteral("http://first/"));
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nIconIndex=1\r\n[InternetShortcut]\r\nURL=http://later/\r\n"), std::nullopt);
}

TEST(ShortcutReader, UnicodeUrlFromTheWideSectionWhileTheAnsiCopyMatches)
{
    const QByteArray base = "[InternetShortcut]\r\nURL=http://x/??\r\n";
    const QByteArray wide = "[InternetShortcut.W]\r\nURL=http://x/+MOwwpA-\r\n";
    EXPECT_EQ(targetOf(base + wide), QStringLiteral("http://x/レイ"));
    EXPECT_EQ(targetOf(base + "[InternetShortcut.A]\r\nURL=http://x/??\r\n" + wide), QStringLiteral("http://x/レイ"));
    // The plain URL was edited after the Unicode one was saved: the plain one wins.
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://edited/\r\n[InternetShortcut.A]\r\nURL=http://x/??\r\n" + wide),
              QStringLiteral("http://edited/"));
    EXPECT_EQ(targetOf(wide), QStringLiteral("http://x/レイ"));
    EXPECT_EQ(targetOf(base + "[InternetShortcut.W]\r\nURL=http://x/a+-b\r\n"), QStringLiteral("http://x/a+b"));
}

TEST(ShortcutReader, NoUsableUrlIsNoTarget)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\"\"\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("[Other]\r\nURL=http://elsewhere/\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("URL=http://no-section/\r\n"), std::nullopt);
    EXPECT_EQ(targetOf(""), std::nullopt);
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919 + 13) % 256));
    EXPECT_EQ(targetOf(garbage), std::nullopt);
}

TEST(ShortcutReader, BookmarkletsAndLongUrlsComeThroughWhole)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=javascript:alert(\"hi\");void(0)\r\n"),
              QStringLiteral("javascript:alert(\"hi\");void(0)"));
    const QString longUrl = QStringLiteral("http://example.com/") + QString(1981, QLatin1Char('a'));
    ASSERT_EQ(longUrl.size(), 2000);
    EXPECT_EQ(targetOf(shortcutBytes(longUrl)), longUrl);
}

TEST(ShortcutReader, FilesThatCannotBeReadFailWithFive)
{
    TempTree tree;
    const QString big = tree.file(QStringLiteral("big.url"), shortcutBytes(QStringLiteral("http://big/")) +
                                                                 QByteArray(MaxShortcutFileSize, ';'));
    const QString justFits = tree.file(QStringLiteral("fits.url"), shortcutBytes(QStringLiteral("http://fits/")).leftJustified(MaxShortcutFileSize, '\n'));
    const QString folder = tree.folder(QStringLiteral("folder.url"));
    const QString pipe = tree.path(QStringLiteral("pipe.url"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(readTarget(big), (std::variant<QString, int>(5)));
    EXPECT_EQ(readTarget(justFits), (std::variant<QString, int>(QStringLiteral("http://fits/"))));
    EXPECT_EQ(readTarget(tree.path(QStringLiteral("missing.url"))), (std::variant<QString, int>(5)));
    EXPECT_EQ(readTarget(folder), (std::variant<QString, int>(5)));
    EXPECT_EQ(readTarget(pipe), (std::variant<QString, int>(5)));
}

TEST(ShortcutReader, ReadingLeavesTheFileAsItWas)
{
    TempTree tree;
    const QString path = tree.shortcut(QStringLiteral("a.url"), QStringLiteral("http://a/"));
    const QDateTime modified = QFileInfo(path).lastModified();
    EXPECT_EQ(readTarget(path), (std::variant<QString, int>(QStringLiteral("http://a/"))));
    EXPECT_EQ(readBytes(path), shortcutBytes(QStringLiteral("http://a/")));
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
}
