#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace markroll::unicode {

constexpr char16_t ReplacementCharacter = 0xFFFD;

constexpr bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool isSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// UTF-8 as the WHATWG Encoding standard decodes it: each maximal broken part,
// a cut-off sequence at the end included, becomes one U+FFFD.
std::u16string decodeUtf8(std::string_view bytes);
// The same appended to `out`; whether no replacement was needed.
bool decodeUtf8Into(std::string_view bytes, std::u16string& out);
// The text only when every byte is valid UTF-8.
std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes);
// Little-endian code units, taken as they stand; a last odd byte is U+FFFD.
std::u16string decodeUtf16le(std::string_view bytes);
std::u16string decodeUtf16be(std::string_view bytes);

// Bytes that may not be UTF-8, such as a Linux file name, kept byte for byte:
// what is valid UTF-8 decodes as such, and every other byte B becomes the lone
// surrogate U+DC00 + B. encodeEscapedUtf8 turns such text back into the very
// same bytes.
std::u16string decodeEscapedUtf8(std::string_view bytes);
// The same into `text`, whose room is kept from call to call.
void decodeEscapedUtf8(std::string_view bytes, std::u16string& text);
std::string encodeEscapedUtf8(std::u16string_view text);
// The same into `bytes`, whose room is kept from call to call.
void encodeEscapedUtf8(std::u16string_view text, std::string& bytes);
// The byte a lone surrogate of decodeEscapedUtf8 stands for, or nothing.
// Inline, as names are looked through with it unit by unit.
inline std::optional<unsigned char> escapedByte(std::u16string_view text, std::size_t at)
{
    const char16_t unit = text[at];
    if (unit < 0xDC80 || unit > 0xDCFF)
        return std::nullopt;
    if (at > 0 && isHighSurrogate(text[at - 1]))
        return std::nullopt;
    return static_cast<unsigned char>(unit - 0xDC00);
}

// A lone surrogate has no UTF-8 form and is written as U+FFFD.
std::string encodeUtf8(std::u16string_view text);
void appendUtf8(std::string& out, std::u16string_view text);
void appendUtf8(std::string& out, char32_t codePoint);
void appendUtf16(std::u16string& out, char32_t codePoint);
// Writes the UTF-8 form of one code point into `out` (room for four bytes)
// and returns its length.
std::size_t encodeUtf8(char32_t codePoint, char* out);

// Calls `handle` with each code point; a lone surrogate comes as U+FFFD.
template <typename Handle>
void forEachCodePoint(std::u16string_view text, Handle handle)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            handle(char32_t(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00)));
            ++i;
        } else {
            handle(isSurrogate(unit) ? char32_t(ReplacementCharacter) : char32_t(unit));
        }
    }
}

// White space as Unicode defines it (separators Zs, Zl, Zp, and the controls
// tab to carriage return and NEL): the ideographic space is blank too.
bool isWideSpace(char16_t unit);
inline bool isSpace(char16_t unit)
{
    if (unit < 0x85)
        return unit == 0x20 || (unit >= 0x09 && unit <= 0x0D);
    return isWideSpace(unit);
}

// Text without white space at either end; also for bytes of ASCII text.
template <typename Char>
std::basic_string_view<Char> trimmed(std::basic_string_view<Char> text)
{
    while (!text.empty() && isSpace(char16_t(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(char16_t(text.back())))
        text.remove_suffix(1);
    return text;
}
inline std::u16string_view trimmed(std::u16string_view text) { return trimmed<char16_t>(text); }

// Plain ASCII text as UTF-16, for fixed texts and numbers.
std::u16string fromAscii(std::string_view ascii);
// The same into `text`, whose room is kept.
void assignAscii(std::u16string& text, std::string_view ascii);

} // namespace markroll::unicode
