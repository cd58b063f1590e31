#include "tests/support/System.h"

#include "platform/posix/Iconv.h"
#include "text/Unicode.h"

#include <cstring>
#include <stdexcept>

namespace markroll::test {

std::optional<char16_t> systemCp932DecodeOne(const std::string& bytes)
{
    static Iconv toUtf16{"UTF-16LE", "CP932"};
    const auto wide = toUtf16.convert(bytes);
    if (!wide || wide->size() != 2)
        return std::nullopt;
    return char16_t(static_cast<unsigned char>((*wide)[0]) | (static_cast<unsigned char>((*wide)[1]) << 8));
}

std::optional<std::string> systemCp932EncodeOne(char16_t unit)
{
    static Iconv fromUtf16{"CP932", "UTF-16LE"};
    const char wide[2] = {char(unit & 0xFF), char(unit >> 8)};
    return fromUtf16.convert(std::string_view(wide, 2));
}

std::string systemCp932(std::u16string_view text)
{
    Iconv converter("CP932", "UTF-8");
    const auto bytes = converter.convert(unicode::encodeUtf8(text));
    if (!bytes)
        throw std::runtime_error("reference text is not code page 932");
    return *bytes;
}

const std::string_view ConsoleLineEnd = "\n";

std::string sessionReason(int osError) { return std::strerror(osError); }

HostName toHostName(std::u16string_view name) { return toHostBytes(name); }

std::u16string withNonUtf8Byte(std::string_view ascii) { return fromHostBytes("\xFF" + std::string(ascii)); }

} // namespace markroll::test
