#pragma once

#include <string>
#include <string_view>

namespace markroll {

// `text` safe for one line of a terminal: C0 and C1 controls, DEL and the
// Unicode line and paragraph separators shown as escapes (\n, \t, \r, \x1b,
// \u0085, \u2028), so a name can neither split a message nor steer the
// terminal. Everything else, backslashes included, stays as it is.
std::u16string escapedForOneLine(std::u16string_view text);

} // namespace markroll
