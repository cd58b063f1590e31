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
