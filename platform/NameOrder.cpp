#include "NameOrder.h"

#include <algorithm>

namespace markroll {

bool nameOrderLess(const QString& a, const QString& b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t ua = a.at(i).toUpper().unicode();
        const char16_t ub = b.at(i).toUpper().unicode();
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void sortByNameOrder(QStringList& names)
{
    std::sort(names.begin(), names.end(), nameOrderLess);
}

} // namespace markroll
