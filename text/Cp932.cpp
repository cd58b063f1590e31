#include "text/Cp932.h"

#include "text/AsciiRuns.h"
#include "text/Unicode.h"

#include <array>
#include <cstdint>
#include <optional>

namespace markroll::cp932 {
namespace {

constexpr char16_t NoCharacter = 0xFFFF;
constexpr std::uint16_t NoBytes = 0xFFFF;

bool isLeadByte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

struct Pair {
    std::uint16_t from;
    std::uint16_t to;
};

// Generated from the system's conversion (scripts/make_cp932_table.py) and
// built into direct tables at compile time: nothing is converted at start.
constexpr Pair DecodePairs[] = {
#include "text/Cp932DecodeTable.inc"
};
constexpr Pair EncodePairs[] = {
#include "text/Cp932EncodeTable.inc"
};

template <typename Unit>
constexpr std::array<Unit, 0x10000> directTable(const Pair* pairs, std::size_t count, Unit none)
{
    std::array<Unit, 0x10000> table{};
    table.fill(none);
    for (std::size_t i = 0; i < count; ++i)
        table[pairs[i].from] = Unit(pairs[i].to);
    return table;
}

constexpr auto DecodeTable = directTable<char16_t>(DecodePairs, std::size(DecodePairs), NoCharacter);
constexpr auto EncodeTable = directTable<std::uint16_t>(EncodePairs, std::size(EncodePairs), NoBytes);

} // namespace

bool isRepresentable(char32_t codePoint)
{
    return codePoint < 0x10000 && !unicode::isSurrogate(codePoint) && EncodeTable[codePoint] != NoBytes;
}

std::uint16_t doubleByteCodeOf(char16_t unit)
{
    const std::uint16_t code = EncodeTable[unit];
    return code != NoBytes && code > 0xFF ? code : 0;
}

bool encodeAppend(std::u16string_view text, std::string& out)
{
    const auto& encode = EncodeTable;
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2);
    char* next = out.data() + start;
    // Page lines are mostly ASCII: its runs are copied eight units at a time.
    std::size_t at = 0;
    while ((at = ascii::copyAsciiRun(text, at, next)) < text.size()) {
        const char16_t unit = text[at++];
        const std::uint16_t bytes = unicode::isSurrogate(unit) ? NoBytes : encode[unit];
        if (bytes == NoBytes) {
            out.resize(start);
            return false;
        }
        if (bytes > 0xFF)
            *next++ = char(bytes >> 8);
        *next++ = char(bytes & 0xFF);
    }
    out.resize(std::size_t(next - out.data()));
    return true;
}

namespace {

bool isTrailByte(unsigned byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

// Returns whether any byte was broken.
bool decodeInto(std::string_view bytes, std::u16string& text)
{
    const auto& table = DecodeTable;
    bool broken = false;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned byte = static_cast<unsigned char>(bytes[i]);
        char16_t unit = NoCharacter;
        if (!isLeadByte(byte)) {
            unit = table[byte];
        } else if (i + 1 < bytes.size()) {
            const unsigned trail = static_cast<unsigned char>(bytes[i + 1]);
            if (isTrailByte(trail))
                unit = table[(byte << 8) | trail];
            // A pair without a character takes its trail byte along, unless
            // that byte is ASCII and so may start the next character.
            if (unit != NoCharacter || trail >= 0x80)
                ++i;
        }
        if (unit == NoCharacter) {
            broken = true;
            unit = unicode::ReplacementCharacter;
        }
        text.push_back(unit);
    }
    return broken;
}

} // namespace

std::u16string decode(std::string_view bytes)
{
    std::u16string text;
    decodeInto(bytes, text);
    return text;
}

std::optional<std::u16string> decodeStrict(std::string_view bytes)
{
    std::u16string text;
    if (decodeInto(bytes, text))
        return std::nullopt;
    return text;
}

} // namespace markroll::cp932
