#include "platform/text/Utf8Text.h"

#include "platform/text/Unicode.h"
#include "platform/text/Utf8Lead.h"

namespace markroll::utf8 {
namespace {

// The code point that starts at `at` of valid UTF-8, and its length.
char32_t codePointAt(std::u8string_view text, std::size_t at, std::size_t& length)
{
    const unsigned lead = text[at];
    length = utf8Lead(lead).length;
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        codePoint = (codePoint << 6) | (text[at + k] & 0x3F);
    return codePoint;
}

bool isSpace(char32_t codePoint) { return codePoint < 0x10000 && unicode::isSpace(char16_t(codePoint)); }

} // namespace

// Any object may be read as bytes.
std::string_view bytesOf(std::u8string_view text)
{
    return std::string_view(reinterpret_cast<const char*>(text.data()), text.size());
}

std::u16string decode(std::u8string_view text) { return unicode::decodeUtf8(bytesOf(text)); }

std::u8string_view trimmed(std::u8string_view text)
{
    // Most names and values start and end with ASCII that is not a space.
    const auto plainEnd = [](char8_t unit) { return unit < 0x80 && !unicode::isSpace(unit); };
    if (!text.empty() && plainEnd(text.front()) && plainEnd(text.back()))
        return text;
    std::size_t length = 0;
    while (!text.empty() && isSpace(codePointAt(text, 0, length)))
        text.remove_prefix(length);
    while (!text.empty()) {
        std::size_t last = text.size() - 1;
        while (last > 0 && (text[last] & 0xC0) == 0x80)
            --last;
        if (!isSpace(codePointAt(text, last, length)))
            break;
        text.remove_suffix(text.size() - last);
    }
    return text;
}

} // namespace markroll::utf8
