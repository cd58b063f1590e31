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

} // namespace

// POSIX only: Windows file names cannot hold < > " or control characters.
// Names and targets that would break the page's markup, and characters that
// code page 932 has no exact bytes for, are escaped rather than refused.
TEST(GoldenPagePosix, HostileAndForeignNamesAreEscapedNotInjected)
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

// POSIX only: Windows drops spaces at the end of file names.
TEST(GoldenPagePosix, PathsWithSpacesAroundThemAreUsedUntrimmed)
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
