#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/files/ShortcutListing.h"
#include "tests/platform/shortcuts/ShortcutWalk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace markroll;
using namespace markroll::test;

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(ShortcutListingPosix, LinksCountOnlyWhenTheyLeadToAnOrdinaryFile)
{
    TempTree tree;
    const std::u16string real = tree.file(u"elsewhere/real.url", "x");
    tree.symlink(real, u"f/linked.url");
    tree.symlink(tree.path(u"elsewhere"), u"f/folderlink.url");
    tree.symlink(tree.path(u"nowhere"), u"f/dangling.url");
    EXPECT_EQ(listShortcuts(tree.path(u"f")), Names{u"linked.url"});
}

// POSIX only: Windows has no named pipes in folders.
TEST(ShortcutListingPosix, ANamedPipeIsNoShortcut)
{
    TempTree tree;
    tree.folder(u"f");
    ASSERT_EQ(mkfifo(tree.fsPath(u"f/pipe.url").c_str(), 0600), 0);
    EXPECT_EQ(listShortcuts(tree.path(u"f")), Names());
}
