#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "tests/runs/WholeRuns.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;
using Shown = std::vector<ShownMessage>;

// Names are taken exactly as the OS gives them: a leading U+FEFF is part of
// the name, never a byte-order mark to drop.
TEST(Robustness, ALeadingByteOrderMarkIsPartOfTheName)
{
    TempTree tree;
    tree.shortcut(u"fav/foo.url", u"http://foo/");
    tree.shortcut(u"fav/\uFEFFfoo.url", u"http://bom-foo/");
    tree.shortcut(u"fav/\uFEFF.url", u"http://bom-only/");
    GeneratorHarness harness;
    const std::string page = pageFor(harness, tree, u"fav");
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + u"<LI><A Href=\"http://foo/\">foo</A></LI>\n" +
                                u"<LI><A Href=\"http://bom-only/\">&#65279;</A></LI>\n" +
                                u"<LI><A Href=\"http://bom-foo/\">&#65279;foo</A></LI>\n" + closing() + foot()),
                     page);
}

// After a write to the page fails, every later line would be lost too: one
// warning from the section, one error from the page, nothing more.
TEST(Robustness, AFailedWriteEndsThePageWithOneMessage)
{
    TempTree tree;
    for (const char16_t* folder : {u"fav/a", u"fav/b", u"fav/c", u"fav/d"})
        tree.shortcut(std::u16string(folder) + u"/x.url", u"http://x/");
    GeneratorHarness harness;
    bool diskFull = false;
    harness.host.beforeWriteLine = [&](std::u16string_view line) {
        diskFull = diskFull || line.find(hostPath(u"fav/b")) != std::u16string_view::npos;
        if (diskFull)
            throw systemFailure(std::errc::no_space_on_device);
    };
    const std::string page = pageFor(harness, tree, u"fav");
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + closing() + opening(u"fav/a") +
                                u"<LI><A Href=\"http://x/\">x</A></LI>\n" + closing()),
                     page);
    EXPECT_FALSE(harness.outcome.pageWritten());
}

TEST(Robustness, AFolderAtThePagesNameFailsAndLeavesNothingBehind)
{
    TempTree tree;
    tree.folder(u"fav");
    tree.folder(u"out/ALL_Favorites_Link.htm");
    GeneratorHarness harness;
    harness.run(tree.path(u"fav"), tree.path(u"out"));
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(tree.fsPath(u"out")))
        entries.push_back(entry.path().filename());
    EXPECT_EQ(entries, std::vector<fs::path>{"ALL_Favorites_Link.htm"});
    EXPECT_TRUE(fs::is_directory(tree.fsPath(u"out/ALL_Favorites_Link.htm")));
}

// The move into place itself fails (a folder took the page's name while the
// page was written): one message, and the hidden page is gone with it.
TEST(Robustness, AMoveIntoPlaceThatFailsLeavesNoTemporaryFile)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.folder(u"out");
    GeneratorHarness harness;
    harness.host.beforeWriteLine = [&](std::u16string_view line) {
        if (line.starts_with(u"</BODY>"))
            tree.file(u"out/ALL_Favorites_Link.htm/inside", "x");
    };
    harness.run(tree.path(u"fav"), tree.path(u"out"));
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_FALSE(harness.outcome.pageWritten());
    EXPECT_EQ(filesIn(tree.path(u"out")), std::vector<std::string>{"ALL_Favorites_Link.htm"});
    EXPECT_TRUE(fs::is_directory(tree.fsPath(u"out/ALL_Favorites_Link.htm")));
}
