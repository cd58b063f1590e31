#include "text/Utf7.h"

#include "text/Unicode.h"

#include <cstdint>

namespace markroll {
namespace {

int base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

// A base64 run holds whole 16-bit units and, after them, fewer than six bits,
// all zero; its units are appended to `text`.
bool decodeRun(std::string_view run, std::u16string& text)
{
    const std::size_t spare = run.size() * 6 % 16;
    if (run.empty() || spare >= 6 || (base64Value(run.back()) & ((1 << spare) - 1)) != 0)
        return false;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char digit : run) {
        bits = (bits << 6) | std::uint32_t(base64Value(digit));
        count += 6;
        if (count >= 16) {
            count -= 16;
            text.push_back(char16_t(bits >> count));
            bits &= (1u << count) - 1;
        }
    }
    return true;
}

bool hasLoneSurrogate(std::u16string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (unicode::isHighSurrogate(text[at]) && at + 1 < text.size() && unicode::isLowSurrogate(text[at + 1]))
            ++at;
        else if (unicode::isSurrogate(text[at]))
            return true;
    }
    return false;
}

// Characters every UTF-7 decoder takes as themselves (the direct and the
// optional direct ones, and white space) outside a base64 run.
bool isDirect(char byte)
{
    return byte == '\t' || byte == '\n' || byte == '\r' || (byte >= ' ' && byte <= '}' && byte != '+' && byte != '\\');
}

} // namespace

std::optional<std::u16string> decodeUtf7(std::string_view bytes)
{
    std::u16string text;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] != '+') {
            if (!isDirect(bytes[at]))
                return std::nullopt;
            text.push_back(char16_t(bytes[at]));
        } else if (at + 1 < bytes.size() && bytes[at + 1] == '-') {
            text.push_back(u'+');
            ++at;
        } else {
            std::size_t end = at + 1;
            while (end < bytes.size() && base64Value(bytes[end]) >= 0)
                ++end;
            if (!decodeRun(bytes.substr(at + 1, end - at - 1), text))
                return std::nullopt;
            at = end < bytes.size() && bytes[end] == '-' ? end : end - 1;
        }
    }
    if (hasLoneSurrogate(text))
        return std::nullopt;
    return text;
}

} // namespace markroll
