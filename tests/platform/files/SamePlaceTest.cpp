#include "platform/files/SamePlace.h"

#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;

// Two paths take one place when the file system says so, whatever their text.
TEST(SamePlace, OnePlaceByWhatTheFileSystemSays)
{
    TempTree tree;
    const std::u16string page = tree.file(u"out/page.htm", "page");
    tree.folder(u"other");
    EXPECT_TRUE(takeOnePlace(page, page));
    EXPECT_TRUE(takeOnePlace(page, tree.path(u"other/../out/page.htm")));
    EXPECT_TRUE(takeOnePlace(tree.path(u"out/new.htm"), tree.path(u"other/../out/new.htm"))) << "not there yet";
    EXPECT_FALSE(takeOnePlace(page, tree.path(u"other/page.htm")));
    EXPECT_FALSE(takeOnePlace(page, tree.path(u"out/page.html")));
    EXPECT_FALSE(takeOnePlace(page, tree.path(u"missing/page.htm")));
    EXPECT_FALSE(takeOnePlace(page, tree.path(u"out")));
    EXPECT_EQ(identityOf(page), identityOf(tree.path(u"other/../out/page.htm")));
    EXPECT_NE(identityOf(page), identityOf(tree.path(u"out")));
    EXPECT_EQ(identityOf(tree.path(u"missing")), std::nullopt);
}

TEST(SamePlace, LinksAndHardLinksLeadToOnePlace)
{
    TempTree tree;
    const std::u16string page = tree.file(u"out/page.htm", "page");
    try {
        tree.symlink(tree.path(u"out"), u"alias");
        fs::create_hard_link(tree.fsPath(u"out/page.htm"), tree.fsPath(u"hard.htm"));
    } catch (const fs::filesystem_error& error) {
        GTEST_SKIP() << "no links can be made here: " << error.what();
    }
    EXPECT_TRUE(takeOnePlace(page, tree.path(u"alias/page.htm")));
    EXPECT_TRUE(takeOnePlace(tree.path(u"out/new.htm"), tree.path(u"alias/new.htm")));
    EXPECT_TRUE(takeOnePlace(page, tree.path(u"hard.htm")));
    EXPECT_EQ(identityOf(tree.path(u"alias")), identityOf(tree.path(u"out")));
}

// Letter case counts as the folder counts it: asked of the folder, with no
// file of either name in it, and with one.
TEST(SamePlace, LetterCaseAsTheFolderComparesNames)
{
    TempTree tree;
    tree.file(u"probe/Aa", "");
    const bool ignoresCase = fs::exists(tree.fsPath(u"probe/aA"));
    tree.folder(u"empty");
    EXPECT_EQ(takeOnePlace(tree.path(u"empty/Page.htm"), tree.path(u"empty/PAGE.HTM")), ignoresCase);
    EXPECT_EQ(filesIn(tree.path(u"empty")), std::vector<std::string>()) << "the folder was asked, not written";
    const std::u16string page = tree.file(u"out/Page.htm", "page");
    EXPECT_EQ(takeOnePlace(page, tree.path(u"out/page.htm")), ignoresCase);
    EXPECT_FALSE(takeOnePlace(page, tree.path(u"out/Page.htn")));
}

TEST(SamePlace, NamesEqualLetterCaseAside)
{
    EXPECT_TRUE(equalLetterCaseAside(u"All_Favorites_Link.htm", u"ALL_FAVORITES_LINK.HTM"));
    EXPECT_TRUE(equalLetterCaseAside(u"ｆａｖ", u"ＦＡＶ"));
    EXPECT_FALSE(equalLetterCaseAside(u"page.htm", u"page.html"));
    EXPECT_FALSE(equalLetterCaseAside(u"ページ", u"ぺーじ"));
}
