#include "FolderList.h"
#include "ScriptError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using markroll::test::errorNumberOf;

// A thousand folders, the empty path among them; the next is refused with 9
// and left out. Clearing starts the list, and what the walk marked, afresh.
TEST(FolderList, HoldsAThousandFoldersInOrderAndRefusesTheNextWithNine)
{
    FolderList folders;
    folders.add(u"");
    for (std::size_t index = 1; index < FolderList::Capacity; ++index)
        folders.add(u"f" + std::u16string(index % 7, u'x'));
    folders.markUnlisted(999);
    EXPECT_EQ(errorNumberOf([&] { folders.add(u"one too many"); }), SubscriptOutOfRange);
    ASSERT_EQ(folders.size(), FolderList::Capacity);
    EXPECT_EQ(folders[0], u"");
    EXPECT_EQ(folders[8], u"fx");
    EXPECT_TRUE(folders.unlisted(999));
    EXPECT_FALSE(folders.unlisted(998));
    folders.clear();
    EXPECT_EQ(folders.size(), 0u);
    EXPECT_FALSE(folders.unlisted(999));
}
