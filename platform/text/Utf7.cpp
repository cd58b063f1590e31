#include "Utf7.h"

#include "Unicode.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include "Iconv.h"
#endif

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

std::optional<std::u16string> decodeWellFormedUtf7(std::string_view bytes);

} // namespace

std::optional<std::u16string> decodeUtf7(std::string_view bytes)
{
    // Most such URLs are plain ASCII, which needs no decoder.
    if (isDirectOnly(bytes))
        return std::u16string(bytes.begin(), bytes.end());
    if (!isWellFormedUtf7(bytes))
        return std::nullopt;
    auto text = decodeWellFormedUtf7(bytes);
    if (text && hasLoneSurrogate(*text))
        return std::nullopt;
    return text;
}

namespace {

std::optional<std::u16string> decodeWellFormedUtf7(std::string_view bytes)
{
    if (bytes.empty())
        return std::u16string();
#ifdef _WIN32
    const int n = MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return std::u16string(wide.begin(), wide.end());
#else
    // Opening a conversion costs far more than converting one URL, and a big
    // tree has a URL of this kind in many of its files.
    thread_local Iconv toUtf16("UTF-16LE", "UTF-7");
    const auto wide = toUtf16.convert(bytes);
    if (!wide)
        return std::nullopt;
    return unicode::decodeUtf16le(*wide);
#endif
}

} // namespace

} // namespace markroll
