#pragma once

namespace markroll {

// Windows names are UTF-16.
using HostUnit = char16_t;

} // namespace markroll
