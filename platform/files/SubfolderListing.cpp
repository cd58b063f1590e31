#include "platform/files/SubfolderListing.h"

#include "text/NameOrder.h"

#include <algorithm>

namespace markroll {

void inNameOrder(SubfolderList& list)
{
    sortByNameOrder(list.names);
    std::sort(list.entryFailures.begin(), list.entryFailures.end(),
              [](const Failure& a, const Failure& b) { return nameOrderLess(a.object(), b.object()); });
}

} // namespace markroll
