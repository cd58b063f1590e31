#include "Cp932.h"

#include "Unicode.h"

#include <cstdint>
#include <optional>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "Iconv.h"
#endif

namespace markroll::cp932 {
namespace {

constexpr char16_t NoCharacter = 0xFFFF;
constexpr std::uint16_t NoBytes = 0xFFFF;

bool isLeadByte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The host's own conversion, strict both ways; used only to fill the tables once.
class HostConversion {
public:
#ifdef _WIN32
    std::optional<char16_t> decodeOne(std::string_view bytes)
    {
        wchar_t wide[4];
        const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), wide, 4);
        if (n != 1)
            return std::nullopt;
        return char16_t(wide[0]);
    }
    std::optional<std::string> encodeOne(char16_t unit)
    {
        char bytes[8];
        BOOL usedDefault = FALSE;
        const wchar_t wide = wchar_t(unit);
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 8, nullptr, &usedDefault);
        if (n <= 0 || usedDefault)
            return std::nullopt;
        return std::string(bytes, size_t(n));
    }
#else
    std::optional<char16_t> decodeOne(std::string_view bytes)
    {
        const auto wide = toUtf16_.convert(bytes);
        if (!wide || wide->size() != 2)
            return std::nullopt;
        return char16_t(static_cast<unsigned char>((*wide)[0]) | (static_cast<unsigned char>((*wide)[1]) << 8));
    }
    std::optional<std::string> encodeOne(char16_t unit)
    {
        const char wide[2] = {char(unit & 0xFF), char(unit >> 8)};
        return fromUtf16_.convert(std::string_view(wide, 2));
    }

private:
    Iconv toUtf16_{"UTF-16LE", "CP932"};
    Iconv fromUtf16_{"CP932", "UTF-16LE"};
#endif
};

struct Tables {
    std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(0x10000, NoBytes);
    std::vector<char16_t> decode = std::vector<char16_t>(0x10000, NoCharacter);

    Tables()
    {
        HostConversion host;
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            if (isLeadByte(byte))
                continue;
            const char single = char(byte);
            learn(host, std::string_view(&single, 1), byte);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(lead))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char pair[2] = {char(lead), char(trail)};
                learn(host, std::string_view(pair, 2), (lead << 8) | trail);
            }
        }
    }

    void learn(HostConversion& host, std::string_view bytes, unsigned key)
    {
        const auto unit = host.decodeOne(bytes);
        if (!unit)
            return;
        decode[key] = *unit;
        if (encode[*unit] != NoBytes)
            return;
        const auto back = host.encodeOne(*unit);
        if (!back || host.decodeOne(*back) != unit)
            return;
        const auto first = static_cast<unsigned char>((*back)[0]);
        encode[*unit] = back->size() == 1
            ? first
            : std::uint16_t((first << 8) | static_cast<unsigned char>((*back)[1]));
    }
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

bool isRepresentable(char32_t codePoint)
{
    return codePoint < 0x10000 && !unicode::isSurrogate(codePoint) && tables().encode[codePoint] != NoBytes;
}

bool encodeAppend(std::u16string_view text, std::string& out)
{
    const auto& encode = tables().encode;
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2);
    char* next = out.data() + start;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            *next++ = char(unit);
            continue;
        }
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
    const auto& table = tables().decode;
    bool broken = false;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned byte = static_cast<unsigned char>(bytes[i]);
        char16_t unit = NoCharacter;
        if (!isLeadByte(byte)) {
            unit = byte == 0x80 ? char16_t(0x80) : table[byte];
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
