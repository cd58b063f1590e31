#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/files/ShortcutListing.h"
#include "tests/platform/shortcuts/ShortcutWalk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

ListedEntry nextOf(ShortcutListing& listing)
{
    ListedEntry entry;
    listing.next(entry);
    return entry;
}

} // namespace

TEST(ShortcutListing, OrdinaryVisibleShortcutsInAnyLetterCaseInNameOrder)
{
    TempTree tree;
    for (const char16_t* name : {u"b.url", u"Broken.url", u"UPPER.URL", u"Mixed.Url", u"a.url", u"日本.url"})
        tree.file(std::u16string(u"f/") + name, "x");
    tree.file(u"f/x.url.url", "x");
    for (const char16_t* name : {u".hidden.url", u"notes.txt", u"url", u"x.url.bak", u"x.urls", u"x.ur"})
        tree.file(std::u16string(u"f/") + name, "x");
    tree.folder(u"f/Folder.url");
    tree.file(u"f/Sub/inner.url", "x");
    EXPECT_EQ(listShortcuts(tree.path(u"f")), (Names{u"a.url", u"b.url", u"Broken.url", u"Mixed.Url", u"UPPER.URL", u"x.url.url", u"日本.url"}));
}

// Whether a folder gone since the walk listed it is told is the section
// writer's to decide: the listing never passes it off as empty.
TEST(ShortcutListing, AMissingFolderIsAFailureNotAnEmptyFolder)
{
    TempTree tree;
    EXPECT_TRUE(isNoSuchEntry(errorOf([&] { listShortcuts(tree.path(u"missing")); })));
}

TEST(ShortcutListing, ANewStartAbandonsTheOldListingAndTheEndStaysEmpty)
{
    TempTree tree;
    tree.file(u"one/a.url", "x");
    tree.file(u"one/b.url", "x");
    tree.file(u"two/z.url", "x");
    ShortcutListing listing;
    EXPECT_EQ(listing.start(tree.path(u"one")).name, u"a.url");
    EXPECT_EQ(listing.start(tree.path(u"two")).name, u"z.url");
    EXPECT_TRUE(nextOf(listing).empty());
    EXPECT_TRUE(nextOf(listing).empty());
}
