#pragma once

// What the tests ask of the system they run on, each system's own
// (SystemPosix.cpp, SystemWindows.cpp): its own code page 932 conversion,
// its words for an error, its line end and its names.
#include "platform/files/HostPath.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace markroll::test {

// The system's own code page 932 conversion (iconv, the Win32 calls), strict
// both ways: the reference the built-in table was made from.
std::optional<char16_t> systemCp932DecodeOne(const std::string& bytes);
std::optional<std::string> systemCp932EncodeOne(char16_t unit);
// Raises when `text` is not code page 932.
std::string systemCp932(std::u16string_view text);

// The end of a line of text markroll-cli prints.
extern const std::string_view ConsoleLineEnd;
// The OS's reason for a failure (an errno value) as the tests' session words
// it: C.UTF-8 on Linux, a Japanese Windows under Wine.
std::string sessionReason(int osError);

HostName toHostName(std::u16string_view name);
// On Linux `ascii` after a byte that is not UTF-8, as a listing reads such a
// name; on Windows, whose names are UTF-16 and have no such bytes, `ascii`.
std::u16string withNonUtf8Byte(std::string_view ascii);

} // namespace markroll::test
