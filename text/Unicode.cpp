#include "text/Unicode.h"

#include "text/AsciiRuns.h"
#include "text/Utf8Lead.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace markroll::unicode {

namespace {

unsigned byteAt(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

void putUtf16(char16_t*& next, char32_t codePoint)
{
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        *next++ = char16_t(0xD800 + (codePoint >> 10));
        *next++ = char16_t(0xDC00 + (codePoint & 0x3FF));
    } else {
        *next++ = char16_t(codePoint);
    }
}

// The sequence that starts at `at` with a byte past ASCII, as its code point;
// or one U+FFFD for its broken part, which ends before the first byte that
// does not fit (that byte starts afresh). Returns where the next one starts.
std::size_t putSequence(std::string_view bytes, std::size_t at, char16_t*& next, bool& broken)
{
    const Utf8Lead lead = utf8Lead(byteAt(bytes, at));
    char32_t codePoint = byteAt(bytes, at) & (0x7Fu >> lead.length);
    for (std::size_t k = 1; k < lead.length; ++k) {
        if (at + k == bytes.size() || !continues(lead, k, byteAt(bytes, at + k))) {
            *next++ = ReplacementCharacter;
            broken = true;
            return at + k;
        }
        codePoint = (codePoint << 6) | (byteAt(bytes, at + k) & 0x3F);
    }
    if (lead.length == 0) {
        *next++ = ReplacementCharacter;
        broken = true;
        return at + 1;
    }
    putUtf16(next, codePoint);
    return at + lead.length;
}

} // namespace

// No byte gives more than one unit, so the room is made once; most of a shortcut
// file is ASCII, widened sixteen bytes at a time.
bool decodeUtf8Into(std::string_view bytes, std::u16string& out)
{
    const std::size_t filled = out.size();
    out.resize(filled + bytes.size());
    char16_t* next = out.data() + filled;
    bool broken = false;
    for (std::size_t at = 0; (at = ascii::widenAsciiRun(bytes, at, next)) < bytes.size();)
        at = putSequence(bytes, at, next, broken);
    out.resize(std::size_t(next - out.data()));
    return !broken;
}

void appendUtf16(std::u16string& out, char32_t codePoint)
{
    char16_t units[2];
    char16_t* next = units;
    putUtf16(next, codePoint);
    out.append(units, std::size_t(next - units));
}

std::u16string decodeUtf8(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    decodeUtf8Into(bytes, text);
    return text;
}

std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    if (!decodeUtf8Into(bytes, text))
        return std::nullopt;
    return text;
}

namespace {

std::u16string decodeUtf16(std::string_view bytes, int lowByte)
{
    std::u16string text(bytes.size() / 2 + bytes.size() % 2, ReplacementCharacter);
    // Units in the machine's own order are copied as they are.
    const int nativeLowByte = std::endian::native == std::endian::little ? 0 : 1;
    if (lowByte == nativeLowByte) {
        std::memcpy(text.data(), bytes.data(), bytes.size() - bytes.size() % 2);
        return text;
    }
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned low = byteAt(bytes, i + std::size_t(lowByte));
        const unsigned high = byteAt(bytes, i + 1 - std::size_t(lowByte));
        text[i / 2] = char16_t(low | (high << 8));
    }
    return text;
}

} // namespace

std::u16string decodeUtf16le(std::string_view bytes) { return decodeUtf16(bytes, 0); }

std::u16string decodeUtf16be(std::string_view bytes) { return decodeUtf16(bytes, 1); }

std::u16string decodeEscapedUtf8(std::string_view bytes)
{
    std::u16string text;
    decodeEscapedUtf8(bytes, text);
    return text;
}

void decodeEscapedUtf8(std::string_view bytes, std::u16string& text)
{
    text.clear();
    text.reserve(bytes.size());
    // Nearly every name is valid UTF-8 as a whole.
    if (decodeUtf8Into(bytes, text))
        return;
    text.clear();
    std::size_t at = 0;
    while (at < bytes.size()) {
        // The longest valid sequence here is taken whole; anything else is one escaped byte.
        const unsigned lead = byteAt(bytes, at);
        const std::size_t length = utf8Lead(lead).length;
        if (length != 0 && at + length <= bytes.size()) {
            const std::size_t kept = text.size();
            if (decodeUtf8Into(bytes.substr(at, length), text)) {
                at += length;
                continue;
            }
            text.resize(kept);
        }
        text.push_back(char16_t(0xDC00 + lead));
        ++at;
    }
}

std::string encodeEscapedUtf8(std::u16string_view text)
{
    std::string bytes;
    encodeEscapedUtf8(text, bytes);
    return bytes;
}

void encodeEscapedUtf8(std::u16string_view text, std::string& bytes)
{
    bytes.clear();
    bytes.reserve(text.size() + text.size() / 2);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit < 0x80) {
            bytes.push_back(char(unit));
        } else if (const auto byte = escapedByte(text, at)) {
            bytes.push_back(char(*byte));
        } else if (isHighSurrogate(unit) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
            appendUtf8(bytes, char32_t(0x10000 + ((unit - 0xD800) << 10) + (text[at + 1] - 0xDC00)));
            ++at;
        } else {
            appendUtf8(bytes, isSurrogate(unit) ? char32_t(ReplacementCharacter) : char32_t(unit));
        }
    }
}

std::size_t encodeUtf8(char32_t codePoint, char* out)
{
    if (codePoint < 0x80) {
        out[0] = char(codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        out[0] = char(0xC0 | (codePoint >> 6));
        out[1] = char(0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        out[0] = char(0xE0 | (codePoint >> 12));
        out[1] = char(0x80 | ((codePoint >> 6) & 0x3F));
        out[2] = char(0x80 | (codePoint & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (codePoint >> 18));
    out[1] = char(0x80 | ((codePoint >> 12) & 0x3F));
    out[2] = char(0x80 | ((codePoint >> 6) & 0x3F));
    out[3] = char(0x80 | (codePoint & 0x3F));
    return 4;
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    char bytes[4];
    out.append(bytes, encodeUtf8(codePoint, bytes));
}

std::string encodeUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    appendUtf8(bytes, text);
    return bytes;
}

// A bookmark file is mostly ASCII: eight units at a time while it is. A unit
// takes at most three bytes (a surrogate pair four for its two), so the room
// is made once.
void appendUtf8(std::string& out, std::u16string_view text)
{
    const std::size_t start = out.size();
    out.resize(start + 3 * text.size());
    char* next = out.data() + start;
    std::size_t at = 0;
    while ((at = ascii::copyAsciiRun(text, at, next)) < text.size()) {
        const char16_t unit = text[at++];
        char32_t codePoint = isSurrogate(unit) ? char32_t(ReplacementCharacter) : char32_t(unit);
        if (isHighSurrogate(unit) && at < text.size() && isLowSurrogate(text[at]))
            codePoint = 0x10000 + ((unit - 0xD800) << 10) + (text[at++] - 0xDC00);
        next += encodeUtf8(codePoint, next);
    }
    out.resize(std::size_t(next - out.data()));
}

// The white space from U+0085 on.
bool isWideSpace(char16_t unit)
{
    return unit == 0x85 || unit == 0xA0 || unit == 0x1680 || (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028
        || unit == 0x2029 || unit == 0x202F || unit == 0x205F || unit == 0x3000;
}

std::u16string fromAscii(std::string_view ascii)
{
    std::u16string text;
    assignAscii(text, ascii);
    return text;
}

void assignAscii(std::u16string& text, std::string_view ascii)
{
    text.resize(ascii.size());
    char16_t* next = text.data();
    const std::size_t end = ascii::widenAsciiRun(ascii, 0, next);
    for (std::size_t at = end; at < ascii.size(); ++at)
        *next++ = char16_t(static_cast<unsigned char>(ascii[at]));
}

} // namespace markroll::unicode
