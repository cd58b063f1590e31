#include "text/UpperCase.h"

#include <array>
#include <utility>

namespace markroll {
namespace {

constexpr std::pair<char16_t, char16_t> UpperCasePairs[] = {
#include "text/UpperCaseTable.inc"
};

constexpr std::array<char16_t, 0x10000> makeUpperCaseTable()
{
    std::array<char16_t, 0x10000> table{};
    for (unsigned unit = 0; unit < table.size(); ++unit)
        table[unit] = char16_t(unit);
    for (const auto& [lower, upper] : UpperCasePairs)
        table[lower] = upper;
    return table;
}

} // namespace

constexpr std::array<char16_t, 0x10000> UpperCaseTable = makeUpperCaseTable();

} // namespace markroll
