#include "tests/support/System.h"

#include <cerrno>
#include <windows.h>

namespace markroll::test {

std::optional<char16_t> systemCp932DecodeOne(const std::string& bytes)
{
    wchar_t wide[4];
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), wide, 4);
    if (n != 1)
        return std::nullopt;
    return char16_t(wide[0]);
}

std::optional<std::string> systemCp932EncodeOne(char16_t unit)
{
    char bytes[8];
    BOOL usedDefault = FALSE;
    const wchar_t wide = wchar_t(unit);
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 8, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    return std::string(bytes, std::size_t(n));
}

std::string systemCp932(std::u16string_view text)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = WideCharToMultiByte(932, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(932, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

const std::string_view ConsoleLineEnd = "\r\n";

std::string sessionReason(int osError)
{
    switch (osError) {
    case ENOENT: return "ファイルが見つかりません。";
    case ENOSPC: return "ディスクがいっぱいです。";
    default: return "(no Japanese reason known to the tests for errno " + std::to_string(osError) + ")";
    }
}

HostName toHostName(std::u16string_view name) { return HostName(name); }

std::u16string withNonUtf8Byte(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

} // namespace markroll::test
