// Shortcuts of the listed folder are opened relative to it; the generator must
// get each file's own URL, in order, whatever happens to the files between
// the listing and the read.
#include "shortcut/InternetShortcut.h"
#include "tests/platform/shortcuts/ShortcutWalk.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace markroll;
using namespace markroll::test;

TEST(ShortcutFileRead, AFolderOfManyArrivesInOrderWithEveryFilesOwnUrl)
{
    TempTree tree;
    constexpr int Count = 500;
    std::vector<std::string> expected;
    for (int number = 0; number < Count; ++number) {
        tree.shortcut(numbered("many/s%04d.url", number), numbered("http://example.jp/%d", number));
        expected.push_back(expectedLine(number));
    }
    // Twice: one listing after another in the same folder.
    EXPECT_EQ(walk(tree.path(u"many")), expected);
    EXPECT_EQ(walk(tree.path(u"many")), expected);
}

TEST(ShortcutFileRead, ALargeFileIsReadWholeAndOnePastTheLimitIsRefused)
{
    TempTree tree;
    tree.shortcut(u"f/a.url", u"http://a/");
    tree.file(u"f/b.url", "[InternetShortcut]\r\nURL=http://big/\r\n" + std::string(64 * 1024, ';'));
    tree.file(u"f/c.url", "[InternetShortcut]\r\nURL=http://too-big/\r\n" + std::string(MaxShortcutFileSize, ';'));
    tree.shortcut(u"f/d.url", u"http://d/");
    std::string fitting = shortcutBytes(u"http://fits/");
    fitting.resize(MaxShortcutFileSize, '\n');
    tree.file(u"f/e.url", fitting);
    const auto seen = walk(tree.path(u"f"));
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], "a.url -> http://a/");
    EXPECT_EQ(seen[1], "b.url -> http://big/");
    EXPECT_EQ(seen[2], "c.url -> unreadable: too large for a shortcut");
    EXPECT_EQ(seen[3], "d.url -> http://d/");
    EXPECT_EQ(seen[4], "e.url -> http://fits/") << "a file of exactly the limit";
}

TEST(ShortcutFileRead, ReadingLeavesTheFileAsItWas)
{
    TempTree tree;
    const std::u16string path = tree.shortcut(u"f/a.url", u"http://a/");
    const auto modified = std::filesystem::last_write_time(tree.fsPath(u"f/a.url"));
    EXPECT_EQ(walk(tree.path(u"f")), std::vector<std::string>{"a.url -> http://a/"});
    EXPECT_EQ(readBytes(path), shortcutBytes(u"http://a/"));
    EXPECT_EQ(std::filesystem::last_write_time(tree.fsPath(u"f/a.url")), modified);
}

TEST(ShortcutFileRead, ANewListingNeverShowsTheAbandonedOnesFiles)
{
    TempTree tree;
    for (int number = 0; number < 150; ++number) {
        tree.shortcut(numbered("one/s%04d.url", number), u"http://one/");
        tree.shortcut(numbered("two/s%04d.url", number), numbered("http://example.jp/%d", number));
    }
    ShortcutListing listing;
    ShortcutFileReader reader;
    // Left after three names.
    ListedEntry entry = listing.start(tree.path(u"one"));
    for (int step = 0; step < 3; ++step, listing.next(entry))
        EXPECT_EQ(outcomeOf(reader, entry), "http://one/");
    entry = listing.start(tree.path(u"two"));
    for (int number = 0; !entry.empty(); ++number, listing.next(entry))
        EXPECT_EQ(utf8(entry.name) + " -> " + outcomeOf(reader, entry), expectedLine(number));
}

// An entry is opened in its own folder, by its name as listed: not by a path,
// and not in whatever folder the listing has moved on to.
TEST(ShortcutFileRead, AnEntryIsReadInItsOwnFolderAfterTheListingMovedOn)
{
    TempTree tree;
    tree.shortcut(u"one/s.url", u"http://one/");
    tree.shortcut(u"two/s.url", u"http://two/");
    ShortcutListing listing;
    ShortcutFileReader reader;
    const ListedEntry fromOne = listing.start(tree.path(u"one"));
    const ListedEntry fromTwo = listing.start(tree.path(u"two"));
    EXPECT_EQ(outcomeOf(reader, fromOne), "http://one/");
    EXPECT_EQ(outcomeOf(reader, fromTwo), "http://two/");
}
