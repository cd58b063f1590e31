#include "text/ExplorerOrder.h"
#include "tests/text/ExplorerOrderCorpus.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace markroll;
using Names = std::vector<std::u16string>;

namespace {

Names inExplorerOrder(Names names)
{
    std::sort(names.begin(), names.end(), explorerOrderLess);
    return names;
}

} // namespace

// Letter case aside, numbers by their value, a number before any other
// character; names the same but for letter case or leading zeros still in
// one fixed order.
TEST(ExplorerOrder, NumbersByValueAndLetterCaseAside)
{
    EXPECT_EQ(inExplorerOrder({u"Windows Media", u"Windows", u"MSN 自動車", u"MSN", u"まとめ ～その10～",
                               u"まとめ ～その2～"}),
              (Names{u"MSN", u"MSN 自動車", u"Windows", u"Windows Media", u"まとめ ～その2～", u"まとめ ～その10～"}));
    EXPECT_EQ(inExplorerOrder({u"item 10", u"Item 9", u"item 1", u"Item 010b", u"item 10a", u"2", u"a"}),
              (Names{u"2", u"a", u"item 1", u"Item 9", u"item 10", u"item 10a", u"Item 010b"}));
    EXPECT_EQ(inExplorerOrder({u"b", u"B", u"007", u"7", u"99999999999999999999", u"100000000000000000000"}),
              (Names{u"007", u"7", u"99999999999999999999", u"100000000000000000000", u"B", u"b"}));
    EXPECT_EQ(compareAsExplorer(u"a", u"a"), 0);
}

// Every name of the corpus against every other: an order, so sorting is
// well defined (antisymmetric and transitive).
TEST(ExplorerOrder, IsAStrictOrderOnTheCorpus)
{
    const Names names = inExplorerOrder(explorerOrderCorpus());
    for (std::size_t a = 0; a < names.size(); ++a)
        for (std::size_t b = 0; b < names.size(); ++b)
            ASSERT_EQ(compareAsExplorer(names[a], names[b]), a < b ? -1 : (a == b ? 0 : 1))
                << a << " " << b;
}
