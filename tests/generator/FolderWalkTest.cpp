#include "generator/FolderWalk.h"
#include "generator/RunReport.h"
#include "platform/Failure.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Names = std::vector<std::u16string>;
using Shown = std::vector<ShownMessage>;

namespace {

// A walk on its own, as a run starts it, without a page, over a tree in memory.
struct WalkHarness {
    FakeHost host;
    RecordingMessageBoxes boxes;
    RunReport report{boxes};
    FolderList folders;

    void collect(std::u16string_view favorites, bool beyondPage = false)
    {
        folders.clear(beyondPage);
        folders.add(FakeHost::hostForm(favorites));
        FolderWalk(host, report).collectFolders(folders);
    }

    // The folders in walk order, "/" for the host's separator.
    Names table() const
    {
        Names entries;
        for (std::size_t i = 0; i < folders.size(); ++i)
            entries.push_back(folders[i]);
        return entries;
    }
};

Names hostPaths(std::initializer_list<const char16_t*> paths)
{
    Names names;
    for (const char16_t* path : paths)
        names.push_back(FakeHost::hostForm(path));
    return names;
}

} // namespace

TEST(FolderWalk, DepthFirstEachFolderBeforeItsChildren)
{
    WalkHarness walk;
    for (const char16_t* path : {u"R/B", u"R/A/A2", u"R/A/A1"})
        walk.host.folder(path);
    walk.collect(u"R");
    EXPECT_EQ(walk.table(), hostPaths({u"R", u"R/A", u"R/A/A1", u"R/A/A2", u"R/B"}));
    EXPECT_EQ(walk.boxes.shown, Shown{});
}

TEST(FolderWalk, AFolderWithoutSubfoldersIsTheWholeList)
{
    WalkHarness walk;
    walk.host.folder(u"R");
    walk.collect(u"R");
    EXPECT_EQ(walk.table(), hostPaths({u"R"}));
    EXPECT_EQ(walk.boxes.shown, Shown{});
}

TEST(FolderWalk, APathEndingInTheSeparatorGivesDoubledSeparators)
{
    WalkHarness walk;
    walk.host.folder(u"R/A/B");
    walk.collect(u"R/");
    EXPECT_EQ(walk.table(), hostPaths({u"R/", u"R//A", u"R//A/B"}));
}

TEST(FolderWalk, AMissingFavoritesFolderShowsOneMessageAndKeepsItsPlace)
{
    WalkHarness walk;
    walk.collect(u"missing");
    EXPECT_EQ(walk.table(), hostPaths({u"missing"}));
    EXPECT_TRUE(walk.folders.unlisted(0));
    EXPECT_EQ(walk.boxes.shown, Shown{errorOccurredBox()});
}

TEST(FolderWalk, ASubfolderThatCannotBeListedIsKeptToldOnceAndTheWalkGoesOn)
{
    WalkHarness walk;
    for (const char16_t* path : {u"R/A/Hidden-below", u"R/B/B1"})
        walk.host.folder(path);
    walk.host.failAt(u"R/A", systemFailure(std::errc::permission_denied));
    walk.collect(u"R");
    EXPECT_EQ(walk.table(), hostPaths({u"R", u"R/A", u"R/B", u"R/B/B1"}));
    EXPECT_TRUE(walk.folders.unlisted(1));
    EXPECT_EQ(walk.boxes.shown, Shown{errorOccurredBox()});
    ASSERT_EQ(walk.boxes.causes.size(), 1u);
    EXPECT_EQ(walk.boxes.causes[0].error(), std::errc::permission_denied);
}

TEST(FolderWalk, AFullListWithOneWideFolderShowsOneMessage)
{
    WalkHarness walk;
    for (int i = 0; i < 1200; ++i)
        walk.host.folder(numbered("R/f%04d", i));
    walk.collect(u"R");
    const Names entries = walk.table();
    ASSERT_EQ(entries.size(), 1000u);
    EXPECT_EQ(entries.back(), FakeHost::hostForm(u"R/f0998"));
    EXPECT_EQ(walk.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_EQ(walk.boxes.causes.at(0).kind(), FailureKind::FolderListFull);
}

// Each folder still going through sub-folders when the list is full ends with
// a message of its own.
TEST(FolderWalk, AFullListInsideASubfolderShowsAMessagePerFolderWithSubfoldersLeft)
{
    WalkHarness walk;
    for (int i = 0; i < 999; ++i)
        walk.host.folder(numbered("R/A/f%03d", i));
    walk.host.folder(u"R/B");
    walk.collect(u"R");
    const Names entries = walk.table();
    ASSERT_EQ(entries.size(), 1000u);
    EXPECT_EQ(entries.at(1), FakeHost::hostForm(u"R/A"));
    EXPECT_EQ(entries.back(), FakeHost::hostForm(u"R/A/f997"));
    EXPECT_EQ(std::count(entries.begin(), entries.end(), FakeHost::hostForm(u"R/B")), 0);
    EXPECT_EQ(walk.boxes.shown, (Shown{errorOccurredBox(), errorOccurredBox()}));
}

// A list that keeps every folder (for the bookmarks) holds the same first
// thousand, tells the full list with the same messages, and goes on.
TEST(FolderWalk, KeepingEveryFolderTellsTheFullListAsStoppingThereDoes)
{
    WalkHarness stopping, keeping;
    for (WalkHarness* walk : {&stopping, &keeping}) {
        for (int i = 0; i < 999; ++i)
            walk->host.folder(numbered("R/A/f%03d", i));
        walk->host.folder(u"R/B/C");
        walk->host.folder(u"R/D");
    }
    stopping.collect(u"R");
    keeping.collect(u"R", true);
    EXPECT_EQ(keeping.boxes.shown, stopping.boxes.shown);
    EXPECT_EQ(keeping.boxes.shown, (Shown{errorOccurredBox(), errorOccurredBox()}));
    const Names kept = keeping.table();
    ASSERT_EQ(kept.size(), 1000u + 4);
    EXPECT_EQ(Names(kept.begin(), kept.begin() + 1000), stopping.table());
    EXPECT_EQ(Names(kept.begin() + 1000, kept.end()), hostPaths({u"R/A/f998", u"R/B", u"R/B/C", u"R/D"}));
    EXPECT_EQ(keeping.folders.depth(1000), 2u);
    EXPECT_EQ(keeping.folders.depth(1002), 2u);
    EXPECT_EQ(keeping.folders.depth(1003), 1u);
    EXPECT_EQ(keeping.folders.pageSize(), 1000u);
}

// Folders that link to one another: a list for the page follows the links to
// its thousand, as always; one that keeps every folder marks each real folder
// for the bookmarks once, where it was first met, and beyond the page's room
// does not enter a folder met before.
TEST(FolderWalk, FoldersMetAgainThroughLinksAreInTheBookmarksOnce)
{
    WalkHarness stopping, keeping;
    for (WalkHarness* walk : {&stopping, &keeping}) {
        for (const char16_t* path : {u"R/A", u"R/B", u"R/C"})
            walk->host.folder(path);
        for (const char16_t* from : {u"R/A", u"R/B", u"R/C"})
            for (const char16_t* to : {u"R/A", u"R/B", u"R/C"})
                if (std::u16string_view(from) != to)
                    walk->host.link(std::u16string(from) + u"/to" + std::u16string(to).substr(2), to);
    }
    stopping.collect(u"R");
    keeping.collect(u"R", true);
    EXPECT_EQ(keeping.boxes.shown, stopping.boxes.shown);
    Names bookmarked;
    for (std::size_t i = 0; i < keeping.folders.size(); ++i) {
        if (keeping.folders.inBookmarks(i))
            bookmarked.push_back(keeping.folders[i]);
    }
    EXPECT_EQ(bookmarked, hostPaths({u"R", u"R/A", u"R/A/toB", u"R/A/toB/toC"}));
    EXPECT_EQ(keeping.table(), stopping.table()) << "beyond the page every folder was met before";
}

// The walk keeps its pending folders on a stack of its own: a tree as deep as
// the list holds comes out whole, each folder once, in order.
TEST(FolderWalk, ATreeAsDeepAsTheListIsWalkedToItsLastFolder)
{
    WalkHarness walk;
    std::u16string deepest = u"R";
    for (int level = 1; level < int(FolderList::Capacity); ++level)
        deepest += u"/d";
    walk.host.folder(deepest);
    walk.collect(u"R");
    const Names table = walk.table();
    ASSERT_EQ(table.size(), FolderList::Capacity);
    EXPECT_EQ(table.back(), FakeHost::hostForm(deepest));
    EXPECT_EQ(walk.boxes.shown, Shown{});
}

// One entry of the Favorites folder that the OS will not tell about (a link
// whose target's name is too long to look up) is that entry's message; its
// siblings are walked and the page is written.
TEST(FolderWalk, AnEntryTheOsWillNotTellAboutIsToldAndItsSiblingsWalked)
{
    TempTree tree;
    tree.shortcut(u"fav/A/a.url", u"http://a/");
    tree.shortcut(u"fav/C/c.url", u"http://c/");
    try {
        std::filesystem::create_directory_symlink(std::string(300, 'x'), tree.fsPath(u"fav/B"));
    } catch (const std::filesystem::filesystem_error& error) {
        GTEST_SKIP() << "no link to a folder can be made here: " << error.what();
    }
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
