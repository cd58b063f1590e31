#include "text/AsciiRuns.h"
#include "text/NameOrder.h"
#include "text/Unicode.h"
#include "text/UpperCase.h"

#include <gtest/gtest.h>


using namespace markroll;
using namespace markroll::unicode;

// Every malformed shape of the WHATWG rules: one U+FFFD per maximal broken
// part, and the byte that ends a broken part starts afresh.
TEST(Text, MalformedShapes)
{
    EXPECT_EQ(decodeUtf8("a\x80z"), u"a\uFFFDz");                     // lone continuation byte
    EXPECT_EQ(decodeUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");               // overlong lead bytes are never valid
    EXPECT_EQ(decodeUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");     // overlong three-byte form
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");     // an encoded surrogate
    EXPECT_EQ(decodeUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
    EXPECT_EQ(decodeUtf8("\xF5\xFF"), u"\uFFFD\uFFFD");               // bytes that never occur
    EXPECT_EQ(decodeUtf8("\xE6\x97x"), u"\uFFFDx");                   // a cut-off sequence is one part
    EXPECT_EQ(decodeUtf8("\xF0\x9F\x98"), u"\uFFFD");                 // cut off by the end of the input
    EXPECT_EQ(decodeUtf8("\xE6\x97\xE6\x97\xA5"), u"\uFFFD日");       // the breaking byte starts a new one
}

TEST(Text, ValidTextOfEveryLength)
{
    EXPECT_EQ(decodeUtf8("A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"), u"Aé日😀");
    EXPECT_EQ(decodeUtf8Strict("A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"), u"Aé日😀");
    EXPECT_EQ(decodeUtf8Strict("\xEF\xBF\xBD"), u"\uFFFD") << "a real U+FFFD is valid text";
    EXPECT_EQ(decodeUtf8Strict("a\x80"), std::nullopt);
    EXPECT_EQ(decodeUtf8Strict("\xE6\x97"), std::nullopt);
    EXPECT_EQ(decodeUtf8Strict(""), u"");
    std::u16string kept = u"kept ";
    EXPECT_FALSE(decodeUtf8Into("0123456789abcdef\xF0\x9F\x98\x80 0123456789abcdef\xE6", kept));
    EXPECT_EQ(kept, u"kept 0123456789abcdef😀 0123456789abcdef\uFFFD") << "appended, the room made once";
}

// Every byte past ASCII, at every place of a 16-byte block and of the tail
// after the blocks, ends the ASCII run there; alone among ASCII it is never
// valid UTF-8. Shift_JIS text whose blocks hold only bytes 80 to BF passes
// for neither.
TEST(Text, EveryByteFrom80ToFFAtEveryPlaceEndsTheRun)
{
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        for (std::size_t at = 0; at < 40; ++at) {
            std::string text(40, 'a');
            text[at] = char(byte);
            ASSERT_EQ(ascii::runEnd(text, 0), at) << std::hex << byte << " at " << std::dec << at;
            std::u16string widened(40, u'-');
            char16_t* next = widened.data();
            ASSERT_EQ(ascii::widenAsciiRun(text, 0, next), at) << std::hex << byte << " at " << std::dec << at;
            ASSERT_EQ(widened, std::u16string(at, u'a') + std::u16string(40 - at, u'-')) << "at " << at;
            ASSERT_FALSE(ascii::isAscii(text)) << std::hex << byte << " at " << std::dec << at;
            ASSERT_FALSE(unicode::decodeUtf8Strict(text)) << std::hex << byte << " at " << std::dec << at;
        }
    }
    std::string shiftJis;
    for (int i = 0; i < 16; ++i)
        shiftJis += "\x82\xA0\x83\x81"; // あメ: every byte from 80 to BF
    EXPECT_EQ(ascii::runEnd(shiftJis, 0), 0u);
    EXPECT_FALSE(ascii::isAscii(shiftJis));
    EXPECT_FALSE(unicode::decodeUtf8Strict(shiftJis));
}

namespace {

// UTF-8 as RFC 3629 draws it, written apart from the decoder to check it.
bool wellFormedUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const unsigned lead = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (length == 0 || at + length > bytes.size())
            return false;
        const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned next = static_cast<unsigned char>(bytes[at + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        at += length;
    }
    return true;
}

} // namespace

// The strict decoder takes every well-formed shape and refuses every other,
// for every lead byte with every kind of second and third byte: overlong
// forms, encoded surrogates, code points past U+10FFFF, cut-off sequences.
TEST(Text, TheStrictDecoderTakesExactlyWellFormedUtf8)
{
    const unsigned nexts[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        for (const unsigned second : nexts) {
            for (const unsigned third : nexts) {
                for (const std::string tail : {"", "\x80", "\xBF\x80"}) {
                    const std::string text = "ab" + std::string{char(lead), char(second), char(third)} + tail;
                    ASSERT_EQ(wellFormedUtf8(text), unicode::decodeUtf8Strict(text).has_value())
                        << std::hex << lead << " " << second << " " << third << " +" << tail.size();
                }
            }
        }
    }
    for (const char* refused : {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xED\xA0\x80",
                                "\xED\xBF\xBF", "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                                "\xF5\x80\x80\x80", "\xE3\x81"})
        EXPECT_FALSE(unicode::decodeUtf8Strict(refused)) << refused;
    for (const char* accepted : {"\xC2\x80", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(unicode::decodeUtf8Strict(accepted)) << accepted;
}

TEST(Text, UnitsAsTheyStandInEitherOrder)
{
    EXPECT_EQ(decodeUtf16le(std::string("a\0\xE5\x65", 4)), u"a\u65E5");
    EXPECT_EQ(decodeUtf16le(std::string("\x00\xD8", 2)), std::u16string(1, char16_t(0xD800))) << "a lone surrogate stays";
    EXPECT_EQ(decodeUtf16le(std::string("a\0b", 3)), u"a\uFFFD") << "an odd last byte is broken";
    EXPECT_EQ(decodeUtf16be(std::string("\0a\x65\xE5\0", 5)), u"a\u65E5\uFFFD") << "big-endian, an odd last byte";
}

// Linux names are bytes; each is kept through the program and back.
TEST(Text, EveryByteSequenceComesBackTheSame)
{
    const std::string samples[] = {"plain", "日本", std::string("\x93\xFA\x96\x7B"), "x\xFF\xFE", "\xE6\x97",
                                   "\xED\xA0\x80", "\xF0\x9F\x98\x80\x80", "\xC0\xAF", std::string("a\0b", 3)};
    std::string reused = "left over from the last name";
    for (const std::string& bytes : samples) {
        EXPECT_EQ(encodeEscapedUtf8(decodeEscapedUtf8(bytes)), bytes);
        encodeEscapedUtf8(decodeEscapedUtf8(bytes), reused);
        EXPECT_EQ(reused, bytes) << "into a buffer used before";
    }
    // Lone surrogates that stand for no byte, and a high one before an escape.
    EXPECT_EQ(encodeEscapedUtf8(std::u16string{char16_t(0xDC05), u'a', char16_t(0xD800)}), encodeUtf8(u"\uFFFDa\uFFFD"));
    EXPECT_EQ(encodeEscapedUtf8(std::u16string{char16_t(0xD800), char16_t(0xDC93)}), encodeUtf8(u"\U00010093"));
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, char(byte));
        EXPECT_EQ(encodeEscapedUtf8(decodeEscapedUtf8(one)), one) << byte;
    }
}

TEST(Text, ValidUtf8IsPlainTextAndOtherBytesAreLoneSurrogates)
{
    EXPECT_EQ(decodeEscapedUtf8("\xEF\xBB\xBFname"), u"\uFEFFname") << "a byte-order mark is part of a name";
    EXPECT_EQ(decodeEscapedUtf8("a\x93\xFA"), (std::u16string{u'a', char16_t(0xDC93), char16_t(0xDCFA)}));
    EXPECT_EQ(decodeEscapedUtf8("\xF0\x90\x82\x80"), u"\U00010080") << "a real pair is no escape";
    EXPECT_EQ(encodeEscapedUtf8(u"\U00010080"), "\xF0\x90\x82\x80");
    EXPECT_EQ(escapedByte(u"\U00010080", 1), std::nullopt);
}

TEST(Text, CodePointsAndLoneSurrogates)
{
    EXPECT_EQ(encodeUtf8(u"Aé日😀"), "A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80");
    EXPECT_EQ(encodeUtf8(std::u16string{u'a', char16_t(0xDC00), u'b'}), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(encodeUtf8(std::u16string{char16_t(0xD83D)}), "\xEF\xBF\xBD");
}

// ASCII is copied eight units at a time: every character beyond it at every
// offset of such a block, and a pair split by the block's end, come out whole.
TEST(Text, NonAsciiAtEveryOffsetOfAnAsciiRun)
{
    const std::vector<std::pair<std::u16string, std::string>> characters{
        {u"é", "\xC3\xA9"}, {u"日", "\xE6\x97\xA5"}, {u"😀", "\xF0\x9F\x98\x80"},
        {std::u16string(1, char16_t(0xDC80)), "\xEF\xBF\xBD"}, {u"\x7F", "\x7F"}};
    for (const auto& [character, bytes] : characters) {
        for (std::size_t offset = 0; offset <= 17; ++offset) {
            const std::u16string text = std::u16string(offset, u'a') + character + std::u16string(17 - offset, u'b');
            EXPECT_EQ(encodeUtf8(text), std::string(offset, 'a') + bytes + std::string(17 - offset, 'b'))
                << "at offset " << offset;
        }
    }
    std::string appended = "kept ";
    appendUtf8(appended, u"and 日本語 after");
    EXPECT_EQ(appended, "kept and 日本語 after");
}

// Each length of a UTF-8 sequence at both of its ends, both ways.
TEST(Text, TheEdgesOfEachSequenceLength)
{
    const std::vector<std::pair<std::u16string, std::string>> edges{
        {u"\u007F", "\x7F"},
        {u"\u0080", "\xC2\x80"},
        {u"\u07FF", "\xDF\xBF"},
        {u"\u0800", "\xE0\xA0\x80"},
        {u"\uFFFF", "\xEF\xBF\xBF"},
        {u"\U00010000", "\xF0\x90\x80\x80"},
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& [text, bytes] : edges) {
        EXPECT_EQ(encodeUtf8(text), bytes) << bytes.size() << "-byte edge";
        EXPECT_EQ(decodeUtf8(bytes), text) << bytes.size() << "-byte edge";
    }
}

TEST(Text, TrimmedTakesUnicodeSpacesOffBothEnds)
{
    EXPECT_EQ(trimmed(u" \t\u3000a b\u00A0\r\n"), u"a b");
    EXPECT_EQ(trimmed(u"\u2028\u2029\u0085\u202F"), u"");
    EXPECT_EQ(trimmed(u"\u200Bx"), u"\u200Bx") << "a zero-width space is no white space";
}

TEST(Text, AcrossScripts)
{
    const std::pair<char16_t, char16_t> pairs[] = {
        {u'a', u'A'}, {u'z', u'Z'}, {u'é', u'É'}, {u'ÿ', u'Ÿ'}, {u'ı', u'I'}, {u'ß', u'ß'},
        {u'α', u'Α'}, {u'ς', u'Σ'}, {u'я', u'Я'}, {u'ա', u'Ա'}, {u'ⓐ', u'Ⓐ'}, {u'ａ', u'Ａ'},
        {u'ⅰ', u'Ⅰ'}, {u'あ', u'あ'}, {u'日', u'日'}, {u'1', u'1'}, {u'A', u'A'}, {u'Ω', u'Ω'},
    };
    for (const auto& [lower, upper] : pairs)
        EXPECT_EQ(int(toUpper(lower)), int(upper)) << "U+" << std::hex << int(lower);
}

TEST(Text, UpperCasedCodeUnitsThenExactNames)
{
    std::vector<std::u16string> names{u"Banana", u"apple", u"B", u"a", u"A", u"_x", u"ヤ", u"①", u"b"};
    sortByNameOrder(names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"A", u"a", u"apple", u"B", u"b", u"Banana", u"_x", u"①", u"ヤ"}));
}

TEST(Text, NamesThatDifferOnlyInCaseHaveOneFixedOrder)
{
    std::vector<std::u16string> names{u"éte", u"Été", u"ÉTÉ", u"été", u"Ｆｕｌｌ", u"ｆｕｌｌ"};
    sortByNameOrder(names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"éte", u"ÉTÉ", u"Été", u"été", u"Ｆｕｌｌ", u"ｆｕｌｌ"}));
    EXPECT_FALSE(nameOrderLess(u"same", u"same"));
}
