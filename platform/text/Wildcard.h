#pragma once

#include <string_view>

namespace markroll {

// A file-name mask as the directory listing takes it: "*" any run of
// characters, "?" one character, everything else itself without regard to
// letter case.
bool matchesWildcard(std::u16string_view mask, std::u16string_view name);

} // namespace markroll
