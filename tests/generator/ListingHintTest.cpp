// While a folder's section is written, the listing is told which folder's
// section comes next, so it can be listed meanwhile.
#include "FaultyPlatform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace markroll;
using namespace markroll::test;

TEST(ListingHint, EachSectionAnnouncesTheNextFolderOnceItsOwnListingStarted)
{
    TempTree tree;
    TempTree out;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.shortcut(u"fav/one/b.url", u"http://b/");
    tree.folder(u"fav/one/deep");
    tree.shortcut(u"fav/two/c.url", u"http://c/");
    GeneratorHarness harness;
    std::vector<std::string> calls;
    harness.platform.beforeListingStart = [&](std::u16string_view pattern) { calls.push_back("start " + utf8(pattern)); };
    harness.platform.onListingExpect = [&](std::u16string_view pattern) { calls.push_back("expect " + utf8(pattern)); };
    {
        WorkingFolder inside(tree.path());
        harness.run(u"fav", out.path());
    }
    const auto pattern = [](std::u16string_view folder) { return utf8(hostPath(std::u16string(folder) + u"/*.url")); };
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "start " + pattern(u"fav"), "expect " + pattern(u"fav/one"),
                         "start " + pattern(u"fav/one"), "expect " + pattern(u"fav/one/deep"),
                         "start " + pattern(u"fav/one/deep"), "expect " + pattern(u"fav/two"),
                         "start " + pattern(u"fav/two"),
                     }));
    EXPECT_TRUE(harness.outcome.succeeded());
}
