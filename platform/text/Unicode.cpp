#include "Unicode.h"

#include <algorithm>
#include <experimental/simd>

namespace markroll::unicode {

// Sixteen bytes at a time.
std::size_t asciiRunEnd(std::string_view bytes, std::size_t at)
{
    using SixteenBytes = std::experimental::fixed_size_simd<unsigned char, 16>;
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (; at + SixteenBytes::size() <= bytes.size(); at += SixteenBytes::size()) {
        if (std::experimental::any_of(SixteenBytes(data + at, std::experimental::element_aligned) >= 0x80))
            break;
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80)
        ++at;
    return at;
}

namespace {

void appendCodePoint(std::u16string& out, char32_t codePoint)
{
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(char16_t(0xD800 + (codePoint >> 10)));
        out.push_back(char16_t(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(char16_t(codePoint));
    }
}

// The WHATWG UTF-8 decoder; returns whether any replacement was needed.
bool decodeUtf8Into(std::string_view bytes, std::u16string& out)
{
    bool broken = false;
    char32_t codePoint = 0;
    int needed = 0;
    unsigned lower = 0x80;
    unsigned upper = 0xBF;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned byte = static_cast<unsigned char>(bytes[i]);
        if (needed == 0) {
            if (byte < 0x80) {
                // Most of a shortcut file is ASCII: copy the whole run at once.
                const std::size_t end = asciiRunEnd(bytes, i + 1);
                // Widened in place: an append of the bytes would build a temporary string.
                const std::size_t filled = out.size();
                out.resize(filled + (end - i));
                std::copy(bytes.begin() + std::ptrdiff_t(i), bytes.begin() + std::ptrdiff_t(end),
                          out.begin() + std::ptrdiff_t(filled));
                i = end - 1;
            } else if (byte >= 0xC2 && byte <= 0xDF) {
                needed = 1;
                codePoint = byte & 0x1F;
            } else if (byte >= 0xE0 && byte <= 0xEF) {
                lower = byte == 0xE0 ? 0xA0 : 0x80;
                upper = byte == 0xED ? 0x9F : 0xBF;
                needed = 2;
                codePoint = byte & 0x0F;
            } else if (byte >= 0xF0 && byte <= 0xF4) {
                lower = byte == 0xF0 ? 0x90 : 0x80;
                upper = byte == 0xF4 ? 0x8F : 0xBF;
                needed = 3;
                codePoint = byte & 0x07;
            } else {
                out.push_back(ReplacementCharacter);
                broken = true;
            }
            continue;
        }
        if (byte < lower || byte > upper) {
            // The broken part ends before this byte, which starts afresh.
            needed = 0;
            lower = 0x80;
            upper = 0xBF;
            out.push_back(ReplacementCharacter);
            broken = true;
            --i;
            continue;
        }
        lower = 0x80;
        upper = 0xBF;
        codePoint = (codePoint << 6) | (byte & 0x3F);
        if (--needed == 0)
            appendCodePoint(out, codePoint);
    }
    if (needed != 0) {
        out.push_back(ReplacementCharacter);
        broken = true;
    }
    return !broken;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            i = asciiRunEnd(bytes, i + 1);
            continue;
        }
        // The second byte's range rules out overlong forms, surrogates and
        // code points past U+10FFFF, as the decoder does.
        std::size_t length = 0;
        unsigned lower = 0x80;
        unsigned upper = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            lower = lead == 0xE0 ? 0xA0 : 0x80;
            upper = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            lower = lead == 0xF0 ? 0x90 : 0x80;
            upper = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned byte = static_cast<unsigned char>(bytes[i + k]);
            if (byte < (k == 1 ? lower : 0x80) || byte > (k == 1 ? upper : 0xBF))
                return false;
        }
        i += length;
    }
    return true;
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
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned low = static_cast<unsigned char>(bytes[i + lowByte]);
        const unsigned high = static_cast<unsigned char>(bytes[i + 1 - lowByte]);
        text.push_back(char16_t(low | (high << 8)));
    }
    if (bytes.size() % 2 != 0)
        text.push_back(ReplacementCharacter);
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
        const unsigned lead = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (at + length <= bytes.size() && lead < 0xF8) {
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

std::optional<unsigned char> escapedByte(std::u16string_view text, std::size_t at)
{
    const char16_t unit = text[at];
    if (unit < 0xDC80 || unit > 0xDCFF)
        return std::nullopt;
    if (at > 0 && isHighSurrogate(text[at - 1]))
        return std::nullopt;
    return static_cast<unsigned char>(unit - 0xDC00);
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
    forEachCodePoint(text, [&](char32_t codePoint) { appendUtf8(bytes, codePoint); });
    return bytes;
}

// The white space from U+0085 on.
bool isWideSpace(char16_t unit)
{
    return unit == 0x85 || unit == 0xA0 || unit == 0x1680 || (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028
        || unit == 0x2029 || unit == 0x202F || unit == 0x205F || unit == 0x3000;
}

std::u16string fromAscii(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace markroll::unicode
