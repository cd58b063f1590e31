#pragma once

#include <string_view>

namespace markroll {

// The simple upper case of one UTF-16 code unit, from a table generated from
// the Unicode data (scripts/make_upper_case_table.py), so it is the same on
// every machine and in every locale. Units without one map to themselves.
char16_t toUpper(char16_t unit);

} // namespace markroll
