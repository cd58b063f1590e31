#include "tests/support/FaultyHost.h"
#include "tests/support/Process.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;
using Shown = std::vector<ShownMessage>;

namespace {

// Every file and folder below `root` with its modification time and bytes.
std::map<fs::path, std::string> snapshot(const fs::path& root)
{
    std::map<fs::path, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto modified = fs::last_write_time(entry.path()).time_since_epoch().count();
        std::string state = std::to_string(modified);
        if (entry.is_regular_file() && !entry.is_symlink())
            state.append(" ").append(readFileBytes(entry.path()));
        entries.emplace(entry.path(), state);
    }
    return entries;
}

} // namespace

TEST(Abuse, TheFavoritesTreeIsUnchangedByARun)
{
    TempTree tree;
    fs::copy(MARKROLL_EXAMPLES_DIR "/Favorites", tree.fsPath(u"Favorites"),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    const auto before = snapshot(tree.fsPath(u"Favorites"));
    ASSERT_GT(before.size(), 20u);
    TempTree out;
    GeneratorHarness harness;
    harness.run(tree.path(u"Favorites"), out.path());
    EXPECT_EQ(snapshot(tree.fsPath(u"Favorites")), before);
    std::vector<fs::path> written;
    for (const auto& entry : fs::directory_iterator(out.fsPath()))
        written.push_back(entry.path().filename());
    EXPECT_EQ(written, std::vector<fs::path>{"ALL_Favorites_Link.htm"});
}

TEST(Abuse, TwentyThousandShortcutsInOneFolder)
{
    TempTree tree;
    for (int i = 0; i < 20000; ++i)
        tree.file(numbered("fav/s%05d.url", i), "[InternetShortcut]\nURL=http://x/\n");
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(tree.path(u"fav"), out.path());
    EXPECT_EQ(countOf(page, "<LI>"), 20000u);
    // More names than are sorted at once: they come from sorted runs merged.
    std::size_t at = 0;
    for (int i = 0; i < 20000; ++i) {
        at = page.find(utf8(numbered(">s%05d</A></LI>\r\n", i)), at);
        ASSERT_NE(at, std::string::npos) << "s" << i << " missing or out of order";
    }
    EXPECT_TRUE(page.ends_with(">s19999</A></LI>\r\n</OL>\r\n</BODY></HTML>\r\n"));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}
