#pragma once

namespace markroll {

// Linux names are bytes.
using HostUnit = char;

} // namespace markroll
