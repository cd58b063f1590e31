#include "platform/files/HostPath.h"
#include "tests/support/FaultyHost.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

namespace {

std::u16string goldenPath(std::u16string_view name) { return dataPath(u"pages/" + std::u16string(name) + u".htm"); }

std::string expectedPage(std::u16string_view name) { return withHostSeparators(readBytes(goldenPath(name))); }

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Compares a page with its golden file. A differing page is written to
// build/tests/golden-actual/, for diff. With
// MARKROLL_UPDATE_GOLDEN=1 the golden file is rewritten instead.
::testing::AssertionResult matchesGolden(const char*, const char* actualExpression, std::u16string_view name,
                                         const std::string& actual)
{
    if (std::getenv("MARKROLL_UPDATE_GOLDEN") && hostSeparator() == u'/') {
        writeFile(toFsPath(goldenPath(name)), actual);
        return ::testing::AssertionSuccess();
    }
    const auto result = samePage("the golden page", actualExpression, expectedPage(name), actual);
    if (result)
        return result;
    const auto written = std::filesystem::path(MARKROLL_TEST_OUTPUT_DIR) / "golden-actual" / (utf8(name) + ".htm");
    writeFile(written, actual);
    return ::testing::AssertionFailure() << result.message() << "\n  the actual page: " << written.string();
}

#define EXPECT_GOLDEN(name, actual) EXPECT_PRED_FORMAT2(matchesGolden, name, actual)

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

#ifndef _WIN32
// POSIX only: Windows file names cannot hold < > " or control characters.
// Names and targets that would break the page's markup, and characters that
// code page 932 has no exact bytes for, are escaped rather than refused.
TEST(GoldenPage, HostileAndForeignNamesAreEscapedNotInjected)
{
    TempTree tree;
    tree.shortcut(u"fav/a<b>&\"c\".url", u"https://example.com/a?x=1&y=2");
    tree.shortcut(u"fav/Café.url", u"https://café.example/menu");
    tree.shortcut(u"fav/ctl\x01.url", u"http://x/a\tb");
    tree.shortcut(u"fav/javascript.url", u"javascript:alert(\"hi\")");
    tree.shortcut(u"fav/x.url", u"http://x/\"><script>alert(1)</script>");
    tree.shortcut(u"fav/yen¥.url", u"https://example.com/¥");
    tree.shortcut(u"fav/한국.url", u"https://한국.kr/");
    tree.shortcut(u"fav/😀 emoji.url", u"https://example.com/😀");
    tree.folder(u"fav/<b>Fold&er");
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    EXPECT_GOLDEN(u"hostile", harness.run(u"fav", out.path()));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}
#endif

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

#ifndef _WIN32
// POSIX only: Windows drops spaces at the end of file names.
TEST(GoldenPage, PathsWithSpacesAroundThemAreUsedUntrimmed)
{
    TempTree tree;
    tree.shortcut(u" fav /a.url", u"http://a/");
    tree.folder(u"out ");
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const std::string page = harness.run(u" fav ", u"out ");
    EXPECT_NE(page.find("<B> fav </B>"), std::string::npos) << page;
    EXPECT_NE(page.find("<LI><A Href=\"http://a/\">a</A></LI>"), std::string::npos);
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}
#endif
