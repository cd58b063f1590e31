#include "generator/PageEscaping.h"
#include "generator/PageFormat.h"
#include "platform/Failure.h"
#include "text/Cp932.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WholeStrings.h"

#include <gtest/gtest.h>

using namespace markroll;
using markroll::test::escapePageText;
using markroll::test::escapeLinkTarget;
using markroll::test::linkLineOf;

TEST(PageEscaping, TextKeepsWhatShiftJisCarriesAndReferencesTheRest)
{
    EXPECT_EQ(escapePageText(u"日本語 ①㈱ C:\\x ~"), u"日本語 ①㈱ C:\\x ~");
    EXPECT_EQ(escapePageText(u"a&b<c>d\"e'f"), u"a&amp;b&lt;c&gt;d&quot;e'f");
    EXPECT_EQ(escapePageText(u"Café ¥ 〜 한"), u"Caf&#233; &#165; &#12316; &#54620;");
    EXPECT_EQ(escapePageText(u"😀"), u"&#128512;");
    EXPECT_EQ(escapePageText(std::u16string{char16_t(0xDC00), u'x'}), u"&#65533;x");
    EXPECT_EQ(escapePageText(u"tab\there\x7F\x85"), u"tab&#9;here&#127;&#133;");
    EXPECT_EQ(escapePageText(u"&#38;"), u"&amp;#38;");
}

TEST(PageEscaping, TargetsArePercentEncodedAsUtf8AndEntityEscaped)
{
    EXPECT_EQ(escapeLinkTarget(u"http://example.com/a?b=1&c=2#x"), u"http://example.com/a?b=1&amp;c=2#x");
    EXPECT_EQ(escapeLinkTarget(u"http://日本.jp/パス"), u"http://%E6%97%A5%E6%9C%AC.jp/%E3%83%91%E3%82%B9");
    EXPECT_EQ(escapeLinkTarget(u"http://x/\"><script>"), u"http://x/&quot;&gt;&lt;script&gt;");
    EXPECT_EQ(escapeLinkTarget(u"a\nb\x7F"), u"a%0Ab%7F");
    EXPECT_EQ(escapeLinkTarget(u"http://x/%20 y"), u"http://x/%20 y");
    EXPECT_EQ(escapeLinkTarget(u"😀"), u"%F0%9F%98%80");
}

// URLs are looked at sixteen and eight units at a time: every ASCII unit, and
// some past ASCII that share low bits with the special signs, are escaped as
// they should be at each place of a block and of the tail.
TEST(PageEscaping, EveryUnitOfATargetAtEveryPlaceInALongRun)
{
    static constexpr char16_t hex[] = u"0123456789ABCDEF";
    const auto escapedAlone = [](char16_t unit) -> std::u16string {
        switch (unit) {
        case u'&': return u"&amp;";
        case u'<': return u"&lt;";
        case u'>': return u"&gt;";
        case u'"': return u"&quot;";
        case 0xE9: return u"%C3%A9";
        case 0x122: return u"%C4%A2";
        case 0xFF1E: return u"%EF%BC%9E";
        }
        if (unit < 0x20 || unit == 0x7F)
            return {u'%', hex[unit >> 4], hex[unit & 0xF]};
        return std::u16string(1, unit);
    };
    std::u16string units;
    for (char16_t unit = 0; unit < 0x80; ++unit)
        units.push_back(unit);
    units += u"\u00E9\u0122\uFF1E";
    constexpr std::size_t length = 41; // two blocks of sixteen, one of eight, a tail
    for (const char16_t tested : units) {
        for (std::size_t place = 0; place < length; ++place) {
            std::u16string target(length, u'a');
            target[place] = tested;
            std::u16string expected(length, u'a');
            expected.replace(place, 1, escapedAlone(tested));
            ASSERT_EQ(escapeLinkTarget(target), expected) << "unit " << int(tested) << " at " << place;
        }
    }
}

TEST(PageEscaping, EveryEscapedLineIsWritable)
{
    std::u16string everything;
    for (char32_t c = 1; c < 0x3000; c += 7) {
        if (c < 0xD800 || c > 0xDFFF)
            everything.push_back(char16_t(c));
    }
    std::string sink;
    EXPECT_TRUE(cp932::encodeAppend(linkLineOf(everything, everything), sink));
    EXPECT_TRUE(cp932::encodeAppend(page::sectionOpeningLine(everything), sink));
    EXPECT_TRUE(cp932::encodeAppend(page::noticeLine(everything), sink));
}
