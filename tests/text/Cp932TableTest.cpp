#include "text/Cp932.h"
#include "tests/support/System.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>


using namespace markroll;

namespace {

// The system's own conversion, strict both ways: the reference the built-in
// table was generated from.
class SystemConversion {
public:
    std::optional<char16_t> decodeOne(const std::string& bytes) { return test::systemCp932DecodeOne(bytes); }
    std::optional<std::string> encodeOne(char16_t unit) { return test::systemCp932EncodeOne(unit); }
};

bool isLeadByte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

} // namespace

TEST(Cp932Table, DecodesEveryByteAndPairAsTheSystemDoes)
{
    SystemConversion system;
    int checked = 0;
    for (unsigned lead = 0; lead < 0x100; ++lead) {
        if (!isLeadByte(lead)) {
            const std::string single(1, char(lead));
            const auto expected = lead == 0x80 ? std::optional<char16_t>(0x80) : system.decodeOne(single);
            EXPECT_EQ(cp932::decodeStrict(single), expected ? std::optional<std::u16string>(std::u16string(1, *expected)) : std::nullopt)
                << std::hex << lead;
            ++checked;
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{char(lead), char(trail)};
            const auto expected = system.decodeOne(pair);
            const auto decoded = cp932::decodeStrict(pair);
            EXPECT_EQ(decoded, expected ? std::optional<std::u16string>(std::u16string(1, *expected)) : std::nullopt)
                << std::hex << lead << " " << trail;
            ++checked;
        }
    }
    EXPECT_GT(checked, 11000);
}

// A unit counts as representable exactly when the system's bytes for it
// decode back to it, and then those are the bytes written.
TEST(Cp932Table, EncodesEveryUnitThatRoundTripsAsTheSystemDoes)
{
    SystemConversion system;
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue;
        auto bytes = system.encodeOne(char16_t(unit));
        if (bytes && system.decodeOne(*bytes) != char16_t(unit))
            bytes.reset();
        // U+0080 is 0x80 both ways, as on Windows; glibc has no byte for it.
        if (unit == 0x80)
            bytes = std::string("\x80");
        std::string written;
        const bool encoded = cp932::encodeAppend(std::u16string(1, char16_t(unit)), written);
        ASSERT_EQ(encoded, bytes.has_value()) << "U+" << std::hex << unit;
        if (encoded) {
            ASSERT_EQ(written, *bytes) << "U+" << std::hex << unit;
        }
    }
}

// Lines are encoded several ASCII units at a time: a unit of one byte, of two
// and one with no bytes at every place of a long ASCII run.
TEST(Cp932Table, EncodesEachUnitAtEveryPlaceOfALongAsciiRun)
{
    const std::pair<char16_t, std::string> units[] = {{u'~', "~"}, {u'\x7F', "\x7F"}, {u'ｱ', "\xB1"}, {u'あ', "\x82\xA0"}};
    for (const auto& [unit, bytes] : units) {
        for (std::size_t place = 0; place < 20; ++place) {
            std::u16string line(21, u'a');
            line[place] = unit;
            std::string expected(21, 'a');
            expected.replace(place, 1, bytes);
            std::string written = "kept";
            ASSERT_TRUE(cp932::encodeAppend(line, written));
            ASSERT_EQ(written, "kept" + expected) << "U+" << std::hex << int(unit) << " at " << std::dec << place;
        }
    }
    std::u16string line(13, u'a');
    line[5] = u'\u00E9'; // no code page 932 bytes
    std::string written = "kept";
    EXPECT_FALSE(cp932::encodeAppend(line, written));
    EXPECT_EQ(written, "kept") << "nothing of a line that cannot be encoded";
}
