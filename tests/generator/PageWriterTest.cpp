#include "platform/Failure.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

TEST(PageWriter, AMissingOutputFolderShowsOneMessageAndNoCompletion)
{
    TempTree tree;
    tree.folder(u"fav");
    GeneratorHarness harness;
    EXPECT_EQ(harness.run(tree.path(u"fav"), tree.path(u"missing")).substr(0, 9), "<missing:");
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_FALSE(harness.outcome.pageWritten());
}

TEST(PageWriter, AFileThatCannotBeCreatedShowsOneMessage)
{
    TempTree tree;
    tree.folder(u"fav");
    GeneratorHarness harness;
    harness.host.beforeCreatePage = [](std::u16string_view) { throw systemFailure(std::errc::permission_denied); };
    harness.run(tree.path(u"fav"), tree.path());
    EXPECT_FALSE(std::filesystem::exists(tree.fsPath(u"ALL_Favorites_Link.htm")));
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
}

namespace {

void makeFolders(TempTree& tree, const char* format, int count)
{
    for (int i = 0; i < count; ++i)
        tree.folder(numbered(format, i));
}

} // namespace

// 999 folders below the Favorites folder fill the table exactly: no failure.
TEST(PageWriter, ExactlyAThousandFoldersIsAWholePage)
{
    TempTree tree;
    makeFolders(tree, "R/f%03d", 999);
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(tree.path(u"R"), out.path());
    EXPECT_EQ(countOf(page, "<OL>"), 1000u);
    EXPECT_TRUE(page.ends_with("f998</B>\x81\x99<BR>\r\n</OL>\r\n</BODY></HTML>\r\n"));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
    EXPECT_TRUE(harness.outcome.succeeded());
}

TEST(PageWriter, MoreFoldersThanTheTableHoldsGiveAThousandSectionsAndTheFoot)
{
    TempTree tree;
    makeFolders(tree, "R/f%04d", 1001);
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(tree.path(u"R"), out.path());
    EXPECT_EQ(countOf(page, "<OL>"), 1000u);
    EXPECT_EQ(countOf(page, "</OL>"), 1000u);
    EXPECT_TRUE(page.ends_with("f0998</B>\x81\x99<BR>\r\n</OL>\r\n</BODY></HTML>\r\n"));
    // The walk told that folders were left out; the page itself is whole.
    EXPECT_EQ(harness.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
    EXPECT_FALSE(harness.outcome.succeeded());
}

// The stream a failed page leaves open must not write into the next page.
TEST(PageWriter, LinesBeforeAWriteFailureAreKeptAndTheNextRunIsClean)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.folder(u"small");
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    harness.host.beforeWriteLine = [](std::u16string_view line) {
        if (line.starts_with(u"</BODY>"))
            throw systemFailure(std::errc::no_space_on_device);
    };
    const std::string partial = cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + closing());
    std::string onDiskWhenTold;
    harness.boxes.onShow = [&](const ShownMessage&) { onDiskWhenTold = readBytes(pageFile(out.path())); };
    EXPECT_SAME_PAGE(partial, harness.run(u"fav", out.path()));
    EXPECT_SAME_PAGE(partial, onDiskWhenTold);
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});

    harness.host.beforeWriteLine = nullptr;
    harness.boxes.onShow = nullptr;
    harness.run(u"small", out.path());
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"small") + closing() + foot()), readBytes(pageFile(out.path())));
}

TEST(PageWriter, TheWalkAloneFailingStillCompletes)
{
    TempTree tree;
    tree.folder(u"fav/locked");
    TempTree out;
    GeneratorHarness harness;
    harness.host.beforeListSubfolders = [](std::u16string_view path) {
        if (path.ends_with(u"locked"))
            throw systemFailure(std::errc::permission_denied);
    };
    WorkingFolder inside(tree.path());
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + closing() + opening(u"fav/locked") + closing() + foot()),
                     harness.run(u"fav", out.path()));
    EXPECT_EQ(harness.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
}
