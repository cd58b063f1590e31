#include "shortcut/InternetShortcut.h"
#include "text/Unicode.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>

using namespace markroll;
using namespace markroll::test;
using Target = std::optional<std::u16string>;

namespace {

Target targetOf(std::string_view bytes) { return internetShortcutTarget(bytes); }

std::string utf16le(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char(unit >> 8));
    }
    return bytes;
}

} // namespace

TEST(InternetShortcut, LineEndsOfEveryKind)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://crlf/\r\n"), u"http://crlf/");
    EXPECT_EQ(targetOf("[InternetShortcut]\nURL=http://lf/\n"), u"http://lf/");
    EXPECT_EQ(targetOf("[InternetShortcut]\rURL=http://cr/\r"), u"http://cr/");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://no-end/"), u"http://no-end/");
}

TEST(InternetShortcut, TextEncodings)
{
    EXPECT_EQ(targetOf("\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://例え.jp/\r\n"), u"http://例え.jp/");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://例え.jp/\r\n"), u"http://例え.jp/");
    EXPECT_EQ(targetOf(utf16le(u"[InternetShortcut]\r\nURL=http://ワイド.jp/\r\n")), u"http://ワイド.jp/");
    // 日本 in code page 932 is not valid UTF-8.
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://x/\x93\xFA\x96\x7B\r\n"), u"http://x/日本");
    // A doubled byte-order mark is skipped like a single one.
    EXPECT_EQ(targetOf(utf16le(u"\uFEFF[InternetShortcut]\r\nURL=http://twice/\r\n")), u"http://twice/");
    EXPECT_EQ(targetOf("\xEF\xBB\xBF\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://twice/\r\n"), u"http://twice/");
}

TEST(InternetShortcut, OnlyTheInternetShortcutUrlIsTheTarget)
{
    EXPECT_EQ(targetOf("[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n"
                       "[InternetShortcut]\r\nURL=http://after-guid/\r\n"),
              u"http://after-guid/");
    EXPECT_EQ(targetOf("[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=http://real/\r\n"), u"http://real/");
    EXPECT_EQ(targetOf("[DOC#3#4]\r\nBASEURL=http://frame/\r\nORIGURL=http://orig/\r\nURL=http://frame-url/\r\n"
                       "[InternetShortcut]\r\nURL=http://real/\r\n"),
              u"http://real/");
    EXPECT_EQ(targetOf("[DEFAULT]\r\nBASEURL=http://base/\r\n"), std::nullopt);
}

TEST(InternetShortcut, NamesWithoutLetterCaseValuesTrimmedAndUnquoted)
{
    EXPECT_EQ(targetOf("[internetshortcut]\r\nurl=http://lower/\r\n"), u"http://lower/");
    EXPECT_EQ(targetOf("  [ InternetShortcut ]  \r\n  URL  =  http://spaced/  \r\n"), u"http://spaced/");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\"http://quoted/\"\r\n"), u"http://quoted/");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\"http://half-quoted/\r\n"), u"\"http://half-quoted/");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\n;URL=http://comment/\r\nURL=http://real/\r\n"), u"http://real/");
    // The ideographic space is white space too.
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\xE3\x80\x80http://wide-space/\xE3\x80\x80\r\n"), u"http://wide-space/");
}

TEST(InternetShortcut, FirstSectionAndFirstKeyCount)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://first/\r\nURL=http://second/\r\n"), u"http://first/");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nIconIndex=1\r\n[InternetShortcut]\r\nURL=http://later/\r\n"), std::nullopt);
}

TEST(InternetShortcut, UnicodeUrlFromTheWideSectionWhileTheAnsiCopyMatches)
{
    const std::string base = "[InternetShortcut]\r\nURL=http://x/??\r\n";
    const std::string wide = "[InternetShortcut.W]\r\nURL=http://x/+MOwwpA-\r\n";
    EXPECT_EQ(targetOf(base + wide), u"http://x/レイ");
    EXPECT_EQ(targetOf(base + "[InternetShortcut.A]\r\nURL=http://x/??\r\n" + wide), u"http://x/レイ");
    // The plain URL was edited after the Unicode one was saved: the plain one wins.
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=http://edited/\r\n[InternetShortcut.A]\r\nURL=http://x/??\r\n" + wide),
              u"http://edited/");
    EXPECT_EQ(targetOf(wide), u"http://x/レイ");
    EXPECT_EQ(targetOf(base + "[InternetShortcut.W]\r\nURL=http://x/a+-b\r\n"), u"http://x/a+b");
}

// U+FEFF and U+FFFE at the start of a decoded URL are its text, not a sign of
// byte order.
TEST(InternetShortcut, AWideUrlStartingWithAByteOrderMarkIsTakenAsItStands)
{
    EXPECT_EQ(targetOf("[InternetShortcut.W]\r\nURL=+/v8-http://w.example/\r\n"), u"\uFEFFhttp://w.example/");
    EXPECT_EQ(targetOf("[InternetShortcut.W]\r\nURL=+//4-http://w.example/\r\n"), u"\uFFFEhttp://w.example/");
}

// A stray lead byte must not swallow the line end after it.
TEST(InternetShortcut, AStrayShiftJisLeadByteEndsAsOneReplacement)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\nURL=https://e/\x83\nIconIndex=1\n"), u"https://e/\uFFFD");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=https://e/\x83\r\n"), u"https://e/\uFFFD");
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=https://e/\x80\x93\xFA\r\n"), u"https://e/\u0080日");
}

TEST(InternetShortcut, SectionHeadersAsWindowsReadsThem)
{
    // "[" without "]" is a key line, so the URL after it stays in its section.
    EXPECT_EQ(targetOf("[InternetShortcut]\r\n[broken\r\nURL=http://kept/\r\n"), u"http://kept/");
    EXPECT_EQ(targetOf("[InternetShortcut\r\nURL=http://no-section/\r\n"), std::nullopt);
    // The name runs to the last "]".
    EXPECT_EQ(targetOf("[InternetShortcut]]\r\nURL=http://other-section/\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("[InternetShortcut] ]\r\nURL=http://other-section/\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("[ InternetShortcut ] \r\nURL=http://trimmed/\r\n"), u"http://trimmed/");
}

TEST(InternetShortcut, BrokenUnicodeEndsInAReplacementRatherThanVanishing)
{
    EXPECT_EQ(targetOf("\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://x/\xE6\x97"), u"http://x/\uFFFD");
    EXPECT_EQ(targetOf("\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://x/\xE6\x97z"), u"http://x/\uFFFDz");
    EXPECT_EQ(targetOf(utf16le(u"[InternetShortcut]\r\nURL=http://x/") + "a"), u"http://x/\uFFFD");
}

// The friendlier reading, kept: a Unicode URL stands in for a missing plain one
// even where an ANSI copy says otherwise.
TEST(InternetShortcut, TheWideUrlServesWhenThePlainOneIsMissing)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\r\n[InternetShortcut.A]\r\nURL=http://a/\r\n"
                       "[InternetShortcut.W]\r\nURL=http://w/\r\n"),
              u"http://w/");
}

TEST(InternetShortcut, NoUsableUrlIsNoTarget)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=\"\"\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("[Other]\r\nURL=http://elsewhere/\r\n"), std::nullopt);
    EXPECT_EQ(targetOf("URL=http://no-section/\r\n"), std::nullopt);
    EXPECT_EQ(targetOf(""), std::nullopt);
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(char((i * 7919 + 13) % 256));
    EXPECT_EQ(targetOf(garbage), std::nullopt);
}

TEST(InternetShortcut, BookmarkletsAndLongUrlsComeThroughWhole)
{
    EXPECT_EQ(targetOf("[InternetShortcut]\r\nURL=javascript:alert(\"hi\");void(0)\r\n"), u"javascript:alert(\"hi\");void(0)");
    const std::u16string longUrl = u"http://example.com/" + std::u16string(1981, u'a');
    ASSERT_EQ(longUrl.size(), 2000u);
    EXPECT_EQ(targetOf(shortcutBytes(longUrl)), longUrl);
}

// Values as Windows' profile reader returns them: without a matching pair of
// single quotes as of double quotes, and up to the first NUL.
TEST(InternetShortcut, QuotesOfEitherKindAndANulEndTheValueAsWindowsReadsIt)
{
    const auto url = [](std::string value) { return targetOf("[InternetShortcut]\r\nURL=" + value + "\r\n"); };
    EXPECT_EQ(url("'http://a.example/q'"), u"http://a.example/q");
    EXPECT_EQ(url("\"http://a.example/q\""), u"http://a.example/q");
    EXPECT_EQ(url("'http://a.example/q\""), u"'http://a.example/q\"") << "quotes that do not match stay";
    EXPECT_EQ(url("'"), u"'") << "a lone quote is no pair";
    EXPECT_EQ(url("''"), std::nullopt) << "a value that is only quotes is empty";
    EXPECT_EQ(url(std::string("http://a.example/x\0y", 20)), u"http://a.example/x");
    EXPECT_EQ(url(std::string("\"http://a.example/x\"\0tail", 25)), u"http://a.example/x");
    EXPECT_EQ(url(std::string("\"http://a.example/x\0\"", 21)), u"\"http://a.example/x") << "the NUL cuts before the quotes";
    EXPECT_EQ(url(std::string("\0http://a.example/", 18)), std::nullopt) << "a NUL first leaves no URL";
}

TEST(InternetShortcut, Utf16BigEndianIsReadByItsByteOrderMark)
{
    const auto bigEndian = [](std::u16string_view text, bool mark) {
        std::string bytes = mark ? "\xFE\xFF" : "";
        for (const char16_t unit : text) {
            bytes.push_back(char(unit >> 8));
            bytes.push_back(char(unit & 0xFF));
        }
        return bytes;
    };
    const std::u16string file = u"[InternetShortcut]\r\nURL=http://ビッグ.jp/\r\n";
    EXPECT_EQ(targetOf(bigEndian(file, true)), u"http://ビッグ.jp/");
    EXPECT_EQ(targetOf(bigEndian(file, false)), std::nullopt) << "without its mark it is unreadable, as on Windows";
}

// The Unicode URL is written only to carry what the code page cannot; when it
// does not decode cleanly the plain URL is the better one. A clean one wins,
// even where it differs from the plain one.
TEST(InternetShortcut, ABrokenUnicodeUrlGivesWayToThePlainOne)
{
    const std::string plain = "[InternetShortcut]\r\nURL=http://plain.example/\r\n";
    const auto withWide = [&](std::string value) { return targetOf(plain + "[InternetShortcut.W]\r\nURL=" + value + "\r\n"); };
    EXPECT_EQ(withWide("http://w.example/+\xff-"), u"http://plain.example/") << "a byte that is no text";
    EXPECT_EQ(withWide("http://w.example/+!!!"), u"http://plain.example/") << "a + that starts no run";
    EXPECT_EQ(withWide("http://w.example/+AGEA-x"), u"http://plain.example/") << "a run that leaves a part of a unit";
    EXPECT_EQ(withWide("http://w.example/+AGF-x"), u"http://plain.example/") << "a run whose last bits are not zero";
    EXPECT_EQ(withWide("http://w.example/+2D0-"), u"http://plain.example/") << "a lone surrogate";
    EXPECT_EQ(withWide("http://w.example/+MOw-/mid+!/x"), u"http://plain.example/") << "broken in the middle";
    EXPECT_EQ(withWide("http://w.example/end+"), u"http://plain.example/") << "broken at the end";
    EXPECT_EQ(withWide("http://w.example/+MOwwpA-"), u"http://w.example/レイ");
    EXPECT_EQ(withWide("http://w.example/a+-b+2D3eAA-"), u"http://w.example/a+b\U0001F600");
    EXPECT_EQ(withWide("http://other.example/"), u"http://other.example/");
    EXPECT_EQ(withWide("http://other.example/?q={|}&x=!*;@[]^_`$%#\"'"), u"http://other.example/?q={|}&x=!*;@[]^_`$%#\"'")
        << "every character UTF-7 writes as itself";
    // "~" and "\\" are not among them: on both systems such text is broken UTF-7.
    EXPECT_EQ(withWide("http://other.example/~a"), u"http://plain.example/");
    EXPECT_EQ(withWide("http://other.example/\\a"), u"http://plain.example/");
    EXPECT_EQ(withWide("http://w.example/+MOw-~"), u"http://plain.example/") << "also after a run";
}

// A UTF-8 file is scanned undecoded, and must read as its decoded text reads:
// each file here gives the same target in UTF-8, with and without its mark,
// as in UTF-16. Each one tells what could part them.
TEST(InternetShortcut, Utf8FilesReadAsTheirDecodedText)
{
    const std::u16string files[] = {
        u"[InternetShortcut]\r\nURL=\u3000http://例え.jp/\u3000\r\n",          // ideographic spaces trimmed
        u"\u00A0[InternetShortcut]\u00A0\r\n URL\u2003=http://nbsp.example/\r\n", // spaces of two and three bytes
        u"[InternetShortcut]\r\nURL=http://nel.example/\u0085\r\n",              // NEL trimmed
        u"[InternetShortcut]\r\nURL=http://x.example/\u0920\r\n",                // last byte A0, no space
        u"[InternetShortcut]\r\nURL=http://x.example/\u0905\r\n",                // last byte 85, no space
        u"[\u0131nternetShortcut]\r\nURL=http://dotless.example/\r\n",           // ı is I without case
        u"[Internet\u017Fhortcut]\r\nURL=http://long-s.example/\r\n",            // ſ is S without case
        u"[InternetShortcut]\r\nURL=\"http://引用.example/\"\r\n",               // quotes removed
        u"[InternetShortcut]\r\nURL=http://plain.example/\r\n[InternetShortcut.W]\r\nURL=http://w/\uFFFD\r\n",
        u"[InternetShortcut]\r\nURL=http://plain.example/\r\n[InternetShortcut.W]\r\nURL=http://ワイド.example/\r\n",
        u"[InternetShortcut]\r\nURL=http://例え.jp/\u0000後\r\n",                // NUL ends the value
        u"[InternetShortcut]\nURL=http://a/\r[Other]\rURL=http://b/\r\n",        // lone CR and LF
        u"\uFEFF[InternetShortcut]\r\nURL=http://second-mark.example/\r\n",      // a second mark
    };
    for (const std::u16string& text : files) {
        const std::string utf8 = unicode::encodeUtf8(text);
        const Target expected = targetOf(utf16le(text));
        EXPECT_EQ(targetOf(utf8), text.front() == u'\uFEFF' ? targetOf(utf16le(text.substr(1))) : expected)
            << "without a mark: " << utf8;
        EXPECT_EQ(targetOf("\xEF\xBB\xBF" + utf8), expected) << "with a mark: " << utf8;
    }
}

// A file that starts with two UTF-8 marks and holds a byte that is not UTF-8
// elsewhere is still read as UTF-8: both marks go, and the broken byte
// breaks only its own line.
TEST(InternetShortcut, TwoUtf8MarksAndABrokenByteElsewhere)
{
    EXPECT_EQ(targetOf("\xEF\xBB\xBF\xEF\xBB\xBF[InternetShortcut]\r\n;\xFF\xFE\r\nURL=http://二つ.example/\r\n"),
              u"http://二つ.example/");
}

// A UTF-16 file's Unicode URL is text already: letters beyond ASCII in it are
// not broken UTF-7, and it wins over the plain URL.
TEST(InternetShortcut, AUtf16FilesWideUrlWithLatinLettersWins)
{
    EXPECT_EQ(targetOf(utf16le(u"[InternetShortcut]\r\nURL=http://caf/\r\n[InternetShortcut.W]\r\nURL=http://café.example/ñ\r\n")),
              u"http://café.example/ñ");
}
