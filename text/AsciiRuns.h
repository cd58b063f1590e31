#pragma once

#include <cstddef>
#include <string_view>

namespace markroll::ascii {

// Runs of ASCII, which most of a page and most shortcut files are, pass
// through the encoders as they are.

// The end of the run of ASCII bytes that starts at `at`.
std::size_t runEnd(std::string_view bytes, std::size_t at);
bool isAscii(std::string_view bytes);
// Copies the run of ASCII units of `text` from `at` as bytes to `into`,
// moving it past them, and returns where the run ends.
std::size_t copyAsciiRun(std::u16string_view text, std::size_t at, char*& into);
// Widens the run of ASCII bytes of `bytes` from `at` to units at `into`,
// moving it past them, and returns where the run ends.
std::size_t widenAsciiRun(std::string_view bytes, std::size_t at, char16_t*& into);

} // namespace markroll::ascii
