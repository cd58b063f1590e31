#pragma once

#include <array>
#include <string_view>

namespace markroll {

// The simple upper case of one UTF-16 code unit, from a table generated from
// the Unicode data (scripts/make_upper_case_table.py), so it is the same on
// every machine and in every locale. Units without one map to themselves.
// Inline, as names are sorted and compared with it unit by unit.
extern const std::array<char16_t, 0x10000> UpperCaseTable;

inline char16_t toUpper(char16_t unit) { return UpperCaseTable[unit]; }

} // namespace markroll
