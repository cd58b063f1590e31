#include "text/Cp932.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

// The bytes a page line becomes.
std::string encoded(std::u16string_view text)
{
    std::string bytes;
    EXPECT_TRUE(cp932::encodeAppend(text, bytes)) << utf8(text);
    return bytes;
}

} // namespace

TEST(Cp932, FixedJapaneseSignsTakeTheirTwoBytes)
{
    EXPECT_EQ(encoded(u"☆"), "\x81\x99");
    EXPECT_EQ(encoded(u"　"), "\x81\x40");
    EXPECT_EQ(encoded(u"※"), "\x81\xA6");
    EXPECT_EQ(encoded(u"『』"), "\x81\x77\x81\x78");
}

TEST(Cp932, JapaneseWordsMatchTheSystemConverter)
{
    EXPECT_EQ(encoded(u"ショートカット出力\r\nの読み込みに失敗しました\r\n①㈱ｱｲｳ\\~\r\n"),
              cp932Lines(u"ショートカット出力\nの読み込みに失敗しました\n①㈱ｱｲｳ\\~\n"));
}

// One-way fallbacks would change the text silently: U+00A5 would come back as
// a backslash, U+2212 as a fullwidth hyphen-minus.
TEST(Cp932, CharactersWithoutExactRoundTripAreRefused)
{
    const std::u16string unrepresentable[] = {u"¥", u"‾", u"−", u"〜", u"‖", u"é", u"한", u"😀", std::u16string(1, char16_t(0xD800))};
    for (const auto& character : unrepresentable) {
        std::string bytes;
        EXPECT_FALSE(cp932::encodeAppend(u"ok " + character + u" ok", bytes)) << utf8(character);
        EXPECT_FALSE(cp932::isRepresentable(character[0])) << utf8(character);
    }
    EXPECT_TRUE(cp932::isRepresentable(U'\\'));
    EXPECT_TRUE(cp932::isRepresentable(U'～'));
    EXPECT_TRUE(cp932::isRepresentable(U'－'));
}

TEST(Cp932, ShiftJisAndBrokenBytesAsTheWebReadsThem)
{
    EXPECT_EQ(cp932::decode("\x93\xFA\x96\x7B" "abc\xB1"), u"日本abcｱ");
    EXPECT_EQ(cp932::decode("\xA0x"), u"\uFFFDx");
    EXPECT_EQ(cp932::decode("\x80"), u"\u0080") << "Windows reads 0x80 as U+0080";
    EXPECT_EQ(cp932::decode("\x83\n"), u"\uFFFD\n") << "an ASCII byte after a lead byte is read on its own";
    EXPECT_EQ(cp932::decode("\x83\x7F"), u"\uFFFD\x7F");
    EXPECT_EQ(cp932::decode("\x83\xFFz"), u"\uFFFDz") << "a non-ASCII byte goes with the lead byte";
    EXPECT_EQ(cp932::decode("\x85\x40"), u"\uFFFD@") << "a pair without a character keeps an ASCII trail";
    EXPECT_EQ(cp932::decode("a\x83"), u"a\uFFFD");
}

TEST(Cp932, StrictDecodingRefusesAnyBrokenByte)
{
    EXPECT_EQ(cp932::decodeStrict("\x93\xFA\x80"), u"日\u0080");
    EXPECT_EQ(cp932::decodeStrict("\x83"), std::nullopt);
    EXPECT_EQ(cp932::decodeStrict("\xA0"), std::nullopt);
    EXPECT_EQ(cp932::decodeStrict(""), u"");
}
