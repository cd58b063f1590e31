#include "generator/FolderList.h"
#include "platform/Failure.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using markroll::test::failureOf;

// A thousand folders, the empty path among them; the next is refused and
// left out. Clearing starts the list, and what the walk marked, afresh.
TEST(FolderList, HoldsAThousandFoldersInOrderAndRefusesTheNext)
{
    FolderList folders;
    folders.add(u"");
    for (std::size_t index = 1; index < FolderList::Capacity; ++index)
        folders.add(std::u16string(1, u'f').append(index % 7, u'x'));
    folders.markUnlisted(999);
    const auto full = failureOf([&] { folders.add(u"one too many"); });
    ASSERT_TRUE(full);
    EXPECT_EQ(full->kind(), FailureKind::FolderListFull);
    ASSERT_EQ(folders.size(), FolderList::Capacity);
    EXPECT_EQ(folders[0], u"");
    EXPECT_EQ(folders[8], u"fx");
    EXPECT_TRUE(folders.unlisted(999));
    EXPECT_FALSE(folders.unlisted(998));
    folders.clear();
    EXPECT_EQ(folders.size(), 0u);
    EXPECT_FALSE(folders.unlisted(999));
}
