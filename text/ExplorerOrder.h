#pragma once

#include <string_view>

namespace markroll {

// Names as Windows Explorer orders them: letter case aside, a run of ASCII
// digits against another by the number it writes ("2" before "10", "02" as
// "2"), and a run of digits before any other character. Names equal that way
// fall back to the name order (NameOrder.h), so the order is total. No
// locale, so it is the same on every machine.
int compareAsExplorer(std::u16string_view a, std::u16string_view b);
inline bool explorerOrderLess(std::u16string_view a, std::u16string_view b) { return compareAsExplorer(a, b) < 0; }

} // namespace markroll
