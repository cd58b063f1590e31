#include "text/NameOrder.h"

#include "text/UpperCase.h"

#include <algorithm>

namespace markroll {

bool nameOrderLess(std::u16string_view a, std::u16string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t ua = toUpper(a[i]);
        const char16_t ub = toUpper(b[i]);
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void sortByNameOrder(std::vector<std::u16string>& names)
{
    std::sort(names.begin(), names.end(),
              [](const std::u16string& a, const std::u16string& b) { return nameOrderLess(a, b); });
}

} // namespace markroll
