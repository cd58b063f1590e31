#pragma once

#include <string>
#include <vector>

namespace markroll {

// The fixed order of folder and file listings: names compared after upper-casing
// each UTF-16 code unit, unit by unit; names equal that way fall back to their
// exact code units. No locale, so the same tree lists the same on every machine.
bool nameOrderLess(std::u16string_view a, std::u16string_view b);
void sortByNameOrder(std::vector<std::u16string>& names);

} // namespace markroll
