#include "platform/files/HostPath.h"
#include "tests/runs/WholeRuns.h"
#include "tests/support/FaultyHost.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

namespace {


// Runs over a fixture tree by its relative name, so the page does not depend
// on where the sources are checked out.
std::string pageForFixture(GeneratorHarness& harness, std::u16string_view favorites, std::u16string_view output)
{
    WorkingFolder inside(dataPath(u"trees"));
    return harness.run(favorites, output);
}

} // namespace

TEST(GoldenPage, AnEmptyFavoritesFolderGivesTheTwelveLines)
{
    TempTree out;
    GeneratorHarness harness;
    const std::string page = pageForFixture(harness, u"empty", out.path());
    EXPECT_GOLDEN(u"empty", page);
    EXPECT_EQ(countOf(page, "\r\n"), 12u);
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
    EXPECT_TRUE(harness.outcome.succeeded());
}

TEST(GoldenPage, NestedFoldersInWalkOrderWithUpperCaseShortcutsAndANotice)
{
    TempTree out;
    GeneratorHarness harness;
    EXPECT_GOLDEN(u"nested", pageForFixture(harness, u"nested", out.path()));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

TEST(GoldenPage, JapaneseNamesAndTargetsInShiftJis)
{
    TempTree out;
    GeneratorHarness harness;
    EXPECT_GOLDEN(u"japanese", pageForFixture(harness, u"japanese", out.path()));
}

TEST(GoldenPage, SeparatorsTheUserTypedStayAsTyped)
{
    TempTree out;
    GeneratorHarness harness;
    EXPECT_GOLDEN(u"japanese-trailing-separator", pageForFixture(harness, hostPath(u"japanese/"), hostPath(out.path() + u"/")));
}

TEST(GoldenPage, ASecondSmallerRunListsOnlyItsOwnFolders)
{
    TempTree out;
    GeneratorHarness harness;
    pageForFixture(harness, u"nested", out.path());
    EXPECT_GOLDEN(u"small-second", pageForFixture(harness, u"small-second", out.path()));
    EXPECT_EQ(harness.generator.folders().size(), 2u);
}

TEST(GoldenPage, TheSampleFavoritesFolder)
{
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(utf16(MARKROLL_EXAMPLES_DIR));
    EXPECT_GOLDEN(u"examples-favorites", harness.run(u"Favorites", out.path()));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

TEST(GoldenPage, AnExistingPageIsReplacedWholeWithoutAQuestion)
{
    TempTree out;
    out.file(u"ALL_Favorites_Link.htm", std::string(100000, 'x'));
    GeneratorHarness harness;
    EXPECT_GOLDEN(u"empty", pageForFixture(harness, u"empty", out.path()));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

// A mistyped Favorites folder, or one on a drive that is not there, must not
// replace a good page with an empty one.
TEST(GoldenPage, AMissingFavoritesFolderWritesNothingAndKeepsThePreviousPage)
{
    TempTree out;
    out.file(u"ALL_Favorites_Link.htm", "the previous page");
    GeneratorHarness harness;
    const std::string page = pageForFixture(harness, u"no-such-folder", out.path());
    EXPECT_EQ(page, "the previous page");
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_FALSE(harness.outcome.pageWritten());
    EXPECT_TRUE(harness.outcome.failuresTold);
    EXPECT_EQ(filesIn(out.path()), std::vector<std::string>{"ALL_Favorites_Link.htm"}) << "no temporary page";
}
