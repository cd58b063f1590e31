#include "FolderTable.h"
#include "ScriptError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using markroll::test::errorNumberOf;

TEST(FolderTable, StartsEmptyWithCountZeroAndNoHolders)
{
    FolderTable table;
    EXPECT_EQ(table.FolderCount, 0);
    EXPECT_FALSE(table.PageFso);
    EXPECT_FALSE(table.PageStream);
    for (int i = 0; i < FolderSlots::Capacity; ++i)
        ASSERT_TRUE(table.FolderList.isEmpty(i)) << i;
}

TEST(FolderTable, AnIndexOutsideTheThousandSlotsTouchesNothingAndRaisesNine)
{
    FolderTable table;
    table.FolderList.store(999, u"last");
    EXPECT_EQ(errorNumberOf([&] { table.FolderList.store(1000, u"x"); }), SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.FolderList.store(-1, u"x"); }), SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.FolderList.isEmpty(1000); }), SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.FolderList.at(-5); }), SubscriptOutOfRange);
    EXPECT_EQ(table.FolderList.at(999), u"last");
    EXPECT_TRUE(table.FolderList.isEmpty(0));
}

TEST(FolderTable, ClearEmptiesEverySlotAndEmptyPathsStillCount)
{
    FolderTable table;
    table.FolderList.store(0, u"");
    table.FolderList.store(7, u"x");
    EXPECT_FALSE(table.FolderList.isEmpty(0));
    table.FolderList.clear();
    EXPECT_TRUE(table.FolderList.isEmpty(0));
    EXPECT_TRUE(table.FolderList.isEmpty(7));
}
