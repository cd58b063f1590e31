#include "generator/FolderWalk.h"
#include "generator/RunReport.h"
#include "platform/Failure.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Names = std::vector<std::u16string>;
using Shown = std::vector<ShownMessage>;

namespace {

// A walk on its own, as a run starts it, without a page.
struct WalkHarness {
    FaultyHost host;
    RecordingMessageBoxes boxes;
    RunReport report{boxes};
    FolderList folders;
};

Names tableOf(const FolderList& folders)
{
    Names entries;
    for (std::size_t i = 0; i < folders.size(); ++i)
        entries.push_back(folders[i]);
    return entries;
}

void collect(WalkHarness& harness, const std::u16string& favorites, bool beyondPage = false)
{
    harness.folders.clear(beyondPage);
    harness.folders.add(favorites);
    FolderWalk(harness.host, harness.report).collectFolders(harness.folders);
}

} // namespace

TEST(CollectFolders, DepthFirstEachFolderBeforeItsChildren)
{
    TempTree tree;
    for (const char16_t* path : {u"R/A/A1", u"R/A/A2", u"R/B"})
        tree.folder(path);
    WalkHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, u"R");
    EXPECT_EQ(tableOf(harness.folders), (Names{u"R", hostPath(u"R/A"), hostPath(u"R/A/A1"), hostPath(u"R/A/A2"), hostPath(u"R/B")}));
    EXPECT_EQ(harness.folders.size(), 5u);
}

TEST(CollectFolders, AFolderWithoutSubfoldersStoresAndShowsNothing)
{
    TempTree tree;
    WalkHarness harness;
    collect(harness, tree.path());
    EXPECT_EQ(tableOf(harness.folders), Names{tree.path()});
    EXPECT_EQ(harness.folders.size(), 1u);
    EXPECT_TRUE(harness.boxes.shown.empty());
}

TEST(CollectFolders, APathEndingInTheSeparatorGivesDoubledSeparators)
{
    TempTree tree;
    tree.folder(u"R/A/B");
    WalkHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, hostPath(u"R/"));
    EXPECT_EQ(tableOf(harness.folders), (Names{hostPath(u"R/"), hostPath(u"R//A"), hostPath(u"R//A/B")}));
}

TEST(CollectFolders, AMissingFavoritesFolderShowsOneMessageAndKeepsSlotZero)
{
    TempTree tree;
    WalkHarness harness;
    const std::u16string missing = tree.path(u"missing");
    collect(harness, missing);
    EXPECT_EQ(tableOf(harness.folders), Names{missing});
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
}

TEST(CollectFolders, ASubfolderThatCannotBeOpenedIsListedAndTheWalkGoesOn)
{
    TempTree tree;
    for (const char16_t* path : {u"R/A/Hidden-below", u"R/B/B1"})
        tree.folder(path);
    WalkHarness harness;
    harness.host.beforeListSubfolders = [](std::u16string_view path) {
        if (path.ends_with(hostPath(u"/A")))
            throw systemFailure(std::errc::permission_denied);
    };
    WorkingFolder inside(tree.path());
    collect(harness, u"R");
    EXPECT_EQ(tableOf(harness.folders), (Names{u"R", hostPath(u"R/A"), hostPath(u"R/B"), hostPath(u"R/B/B1")}));
    EXPECT_EQ(harness.boxes.shown.size(), 1u);
}

TEST(CollectFolders, AFullTableWithOneWideFolderShowsOneMessage)
{
    TempTree tree;
    for (int i = 0; i < 1200; ++i)
        tree.folder(numbered("R/f%04d", i));
    WalkHarness harness;
    collect(harness, tree.path(u"R"));
    const Names entries = tableOf(harness.folders);
    ASSERT_EQ(entries.size(), 1000u);
    EXPECT_EQ(entries.back(), tree.path(u"R/f0998"));
    EXPECT_EQ(harness.folders.size(), 1000u);
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
}

TEST(CollectFolders, AFullTableInsideASubfolderShowsAMessagePerCallWithFoldersLeft)
{
    TempTree tree;
    for (int i = 0; i < 999; ++i)
        tree.folder(numbered("R/A/f%03d", i));
    tree.folder(u"R/B");
    WalkHarness harness;
    collect(harness, tree.path(u"R"));
    const Names entries = tableOf(harness.folders);
    ASSERT_EQ(entries.size(), 1000u);
    EXPECT_EQ(entries.at(1), tree.path(u"R/A"));
    EXPECT_EQ(entries.back(), tree.path(u"R/A/f997"));
    EXPECT_EQ(std::count(entries.begin(), entries.end(), tree.path(u"R/B")), 0);
    EXPECT_EQ(harness.boxes.shown, (Shown{errorOccurredBox(), errorOccurredBox()}));
}

// A list that keeps every folder (for the bookmarks) holds the same first
// thousand, tells the full table with the same messages, and goes on.
TEST(CollectFolders, KeepingEveryFolderTellsTheFullTableAsStoppingThereDoes)
{
    TempTree tree;
    for (int i = 0; i < 999; ++i)
        tree.folder(numbered("R/A/f%03d", i));
    tree.folder(u"R/B/C");
    tree.folder(u"R/D");
    WalkHarness stopping;
    collect(stopping, tree.path(u"R"));
    WalkHarness keeping;
    collect(keeping, tree.path(u"R"), true);
    EXPECT_EQ(keeping.boxes.shown, stopping.boxes.shown);
    EXPECT_EQ(keeping.boxes.shown, (Shown{errorOccurredBox(), errorOccurredBox()}));
    const Names kept = tableOf(keeping.folders);
    ASSERT_EQ(kept.size(), 1000u + 4);
    EXPECT_EQ(Names(kept.begin(), kept.begin() + 1000), tableOf(stopping.folders));
    EXPECT_EQ(kept.at(1000), tree.path(u"R/A/f998"));
    EXPECT_EQ(kept.at(1001), tree.path(u"R/B"));
    EXPECT_EQ(kept.at(1002), tree.path(u"R/B/C"));
    EXPECT_EQ(keeping.folders.depth(1002), 2u);
    EXPECT_EQ(kept.at(1003), tree.path(u"R/D"));
    EXPECT_EQ(keeping.folders.depth(1000), 2u);
    EXPECT_EQ(keeping.folders.depth(1003), 1u);
    EXPECT_EQ(keeping.folders.pageSize(), 1000u);
}

#ifndef _WIN32
// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(CollectFolders, LinkLoopsEndAndNoFolderRepeatsItself)
{
    TempTree tree;
    tree.folder(u"R/A");
    tree.folder(u"R/B");
    tree.symlink(tree.path(u"R"), u"R/A/ToRoot");
    tree.symlink(tree.path(u"R/B"), u"R/A/ToB");
    tree.symlink(tree.path(u"R/A"), u"R/B/ToA");
    WalkHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, u"R");
    EXPECT_EQ(tableOf(harness.folders), (Names{u"R", u"R/A", u"R/A/ToB", u"R/B", u"R/B/ToA"}));
    EXPECT_TRUE(harness.boxes.shown.empty());
}
#endif

// The walk keeps its pending folders on a stack of its own: a tree as deep as
// the table holds comes out whole, each folder once, in order.
TEST(CollectFolders, ATreeAsDeepAsTheTableIsWalkedToItsLastFolder)
{
    TempTree tree;
    std::u16string deepest = u"R";
    for (int level = 1; level < int(FolderList::Capacity); ++level)
        deepest += u"/d";
    tree.folder(deepest);
    WalkHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, u"R");
    const Names table = tableOf(harness.folders);
    ASSERT_EQ(table.size(), FolderList::Capacity);
    EXPECT_EQ(table.back(), hostPath(deepest));
    EXPECT_EQ(harness.boxes.shown, Shown{});
}

#ifndef _WIN32
// One entry of the Favorites folder that the OS will not tell about (a link
// whose target's name is too long to look up) is that entry's message; its
// siblings are walked and the page is written.
TEST(CollectFolders, AnEntryThatCannotBeAskedAboutIsToldAndItsSiblingsWalked)
{
    TempTree tree;
    tree.shortcut(u"fav/A/a.url", u"http://a/");
    tree.shortcut(u"fav/C/c.url", u"http://c/");
    std::filesystem::create_directory_symlink(std::string(300, 'x'), tree.fsPath(u"fav/B"));
    GeneratorHarness harness;
    TempTree out;
    const std::u16string favorites = tree.path(u"fav");
    const std::string page = harness.run(favorites, out.path());
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(favorites) + closing() + opening(favorites + u"/A") +
                                link(u"a") + closing() + opening(favorites + u"/C") + link(u"c") + closing() + foot()),
                     page);
    EXPECT_EQ(harness.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
    const std::vector<Failure>& causes = harness.boxes.causes;
    ASSERT_EQ(causes.size(), 1u);
    EXPECT_EQ(causes[0].object(), tree.path(u"fav/B"));
    EXPECT_EQ(causes[0].error(), std::errc::filename_too_long);
    EXPECT_FALSE(harness.outcome.succeeded());
}
#endif
