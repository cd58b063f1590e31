#include "platform/text/Wildcard.h"

#include "platform/text/UpperCase.h"

namespace markroll {

// Greedy with one step of backtracking to the last "*": linear for the masks
// the listing uses, and never worse than the product of both lengths.
bool matchesWildcard(std::u16string_view mask, std::u16string_view name)
{
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starAt = std::u16string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starAt = m++;
            resumeAt = n;
        } else if (m < mask.size() && (mask[m] == u'?' || toUpper(mask[m]) == toUpper(name[n]))) {
            ++m;
            ++n;
        } else if (starAt != std::u16string_view::npos) {
            m = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

} // namespace markroll
