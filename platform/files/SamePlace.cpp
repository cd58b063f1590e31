#include "platform/files/SamePlace.h"

#include "text/UpperCase.h"

#include <algorithm>

namespace markroll {

bool equalLetterCaseAside(std::u16string_view a, std::u16string_view b)
{
    return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return toUpper(x) == toUpper(y); });
}

} // namespace markroll
