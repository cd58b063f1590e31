// Files changed between the listing and the read, as only Linux lets a test
// change them while a listing is open.
#include "shortcut/InternetShortcut.h"
#include "tests/platform/shortcuts/ShortcutWalk.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace markroll;
using namespace markroll::test;

TEST(ShortcutFileReadPosix, FilesChangedAfterTheListingFailWithTheirOwnReason)
{
    TempTree tree;
    for (int number = 0; number < 200; ++number)
        tree.shortcut(numbered("f/s%04d.url", number), numbered("http://example.jp/%d", number));
    const auto seen = walk(tree.path(u"f"), [&] {
        std::filesystem::remove(tree.fsPath(u"f/s0150.url"));
        std::filesystem::remove(tree.fsPath(u"f/s0151.url"));
        tree.folder(u"f/s0151.url");
    });
    ASSERT_EQ(seen.size(), 200u);
    EXPECT_EQ(seen[149], expectedLine(149));
    EXPECT_EQ(seen[150].substr(0, 25), "s0150.url -> unreadable: ") << seen[150];
    EXPECT_EQ(seen[151], "s0151.url -> unreadable: not an ordinary file");
    EXPECT_EQ(seen[152], expectedLine(152));
}
