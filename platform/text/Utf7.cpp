#include "platform/text/Utf7.h"

#include "platform/text/Unicode.h"

#include <algorithm>

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
// all zero.
bool wellFormedRun(std::string_view run)
{
    const std::size_t bits = run.size() * 6;
    const std::size_t spare = bits % 16;
    if (run.empty() || spare >= 6)
        return false;
    return (base64Value(run.back()) & ((1 << spare) - 1)) == 0;
}

bool isWellFormedUtf7(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (static_cast<unsigned char>(bytes[at]) >= 0x80)
            return false;
        if (bytes[at] != '+')
            continue;
        if (at + 1 < bytes.size() && bytes[at + 1] == '-') {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < bytes.size() && base64Value(bytes[end]) >= 0)
            ++end;
        if (!wellFormedRun(bytes.substr(at + 1, end - at - 1)))
            return false;
        at = end < bytes.size() && bytes[end] == '-' ? end : end - 1;
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
// optional direct ones, and white space), where no "+" starts a base64 run.
bool isDirectOnly(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) {
        return byte == '\t' || byte == '\n' || byte == '\r' || (byte >= ' ' && byte <= '}' && byte != '+' && byte != '\\');
    });
}

} // namespace

std::optional<std::u16string> decodeUtf7(std::string_view bytes)
{
    // Most such URLs are plain ASCII, which needs no decoder.
    if (isDirectOnly(bytes))
        return unicode::fromAscii(bytes);
    if (!isWellFormedUtf7(bytes))
        return std::nullopt;
    auto text = decodeWellFormedUtf7(bytes);
    if (text && hasLoneSurrogate(*text))
        return std::nullopt;
    return text;
}


} // namespace markroll
