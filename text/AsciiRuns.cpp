#include "text/AsciiRuns.h"

namespace markroll::ascii {

std::size_t runEnd(std::string_view bytes, std::size_t at)
{
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80)
        ++at;
    return at;
}

bool isAscii(std::string_view bytes) { return runEnd(bytes, 0) == bytes.size(); }

std::size_t copyAsciiRun(std::u16string_view text, std::size_t at, char*& into)
{
    for (; at < text.size() && text[at] < 0x80; ++at)
        *into++ = char(text[at]);
    return at;
}

std::size_t widenAsciiRun(std::string_view bytes, std::size_t at, char16_t*& into)
{
    for (; at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80; ++at)
        *into++ = char16_t(static_cast<unsigned char>(bytes[at]));
    return at;
}

} // namespace markroll::ascii
