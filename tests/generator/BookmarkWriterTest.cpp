#include "generator/LinkPageRun.h"
#include "text/ExplorerOrder.h"
#include "tests/support/BookmarkTree.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;
using Lines = std::vector<std::string>;

namespace {

// A run over a tree in memory that writes the page to "out" and the bookmark
// file to "out/b.html".
struct MemoryRun {
    FakeHost host;
    RecordingMessageBoxes boxes;
    LinkPageRun generator{RunServices{boxes, host}};

    std::optional<std::string> run(std::u16string_view favorites)
    {
        host.folder(u"out");
        generator.writeBookmarksTo(FakeHost::hostForm(u"out/b.html"));
        generator.run(RunPaths{FakeHost::hostForm(favorites), FakeHost::hostForm(u"out")});
        return host.placed(u"out/b.html");
    }
    BookmarkNode top(std::u16string_view favorites)
    {
        const std::optional<std::string> file = run(favorites);
        EXPECT_TRUE(file.has_value());
        return parseBookmarkFile(file.value_or("")).top;
    }
};

} // namespace

// A folder too big to hold is set aside in several sorted runs and merged
// back: every link once, in Explorer order, whatever order the walk met them in.
TEST(BookmarkWriter, AFolderOfManyRunsComesBackWholeInExplorerOrder)
{
    MemoryRun memory;
    std::vector<std::u16string> names;
    std::mt19937 random(7);
    for (int i = 0; i < 12000; ++i) {
        std::u16string name = (random() % 2 ? u"Item " : u"item ") + utf16(std::to_string(random() % 5000)) + u" " +
                              utf16(std::to_string(i));
        names.push_back(name);
        memory.host.shortcut(u"F/" + name + u".url", shortcutBytes(u"http://x/" + utf16(std::to_string(i))));
    }
    const BookmarkNode top = memory.top(u"F");
    ASSERT_EQ(top.children.size(), 1u);
    const std::vector<BookmarkNode>& links = top.children[0].children;
    std::sort(names.begin(), names.end(), explorerOrderLess);
    ASSERT_EQ(links.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(links[i].name, utf8(names[i])) << "link " << i;
}

// Links on the toolbar: "Links" or "リンク" directly in the Favorites folder,
// letter case aside, the first of them in Explorer order; anywhere else a
// folder of that name is an ordinary one.
TEST(BookmarkWriter, OneLinksFolderBesideTheFavoritesIsTheToolbar)
{
    MemoryRun memory;
    for (const char16_t* path : {u"F/リンク/b.url", u"F/LINKS/a.url", u"F/Sub/Links/c.url", u"F/d.url"})
        memory.host.shortcut(path, shortcutBytes(u"http://x/"));
    EXPECT_EQ(outlineOf(memory.top(u"F"), false), "[toolbar] LINKS/\n"
                                                  "  a\n"
                                                  "F/\n"
                                                  "  Sub/\n"
                                                  "    Links/\n"
                                                  "      c\n"
                                                  "  リンク/\n"
                                                  "    b\n"
                                                  "  d\n");
    MemoryRun plain;
    plain.host.shortcut(u"F/Linksammlung/a.url", shortcutBytes(u"http://x/"));
    EXPECT_EQ(outlineOf(plain.top(u"F"), false), "F/\n  Linksammlung/\n    a\n");
}

// The top folder is the Favorites folder's own name, however it was typed.
TEST(BookmarkWriter, TheTopFolderIsNamedAsTheFolderIs)
{
    for (const char16_t* typed : {u"R/Fav", u"R/Fav/", u"R/Fav/.", u"R/Fav/Sub/..", u"R/Fav/Sub/../."}) {
        MemoryRun memory;
        memory.host.shortcut(u"R/Fav/Sub/a.url", shortcutBytes(u"http://x/"));
        const BookmarkNode top = memory.top(typed);
        ASSERT_EQ(top.children.size(), 1u) << utf8(typed);
        EXPECT_EQ(top.children[0].name, "Fav") << utf8(typed);
    }
}

// A scratch file that cannot be made or written is the bookmark file's
// failure: told once, the file is not put in place, the page is.
TEST(BookmarkWriter, AScratchFileThatFailsDropsTheBookmarkFile)
{
    MemoryRun memory;
    memory.host.shortcut(u"F/a.url", shortcutBytes(u"http://a/"));
    memory.host.failAt(FakeHost::ScratchPath, systemFailure(std::errc::no_space_on_device));
    EXPECT_EQ(memory.run(u"F"), std::nullopt);
    EXPECT_EQ(memory.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
    ASSERT_EQ(memory.boxes.causes.size(), 1u);
    EXPECT_EQ(memory.boxes.causes[0].error(), std::errc::no_space_on_device);
    EXPECT_TRUE(memory.host.placed(u"out/ALL_Favorites_Link.htm").has_value());
}
