#include "tests/support/FaultyHost.h"
#include "tests/support/Process.h"
#include "tests/support/SmallFileSystem.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;
using Shown = std::vector<ShownMessage>;

namespace {

// Removes a path at the end of a test, whatever it holds.
class RemoveAtEnd {
public:
    explicit RemoveAtEnd(fs::path path) : path_(std::move(path)) {}
    ~RemoveAtEnd() { runProcess({"/bin/rm", "-rf", path_.string()}); }

private:
    fs::path path_;
};

} // namespace

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(AbusePosix, APageNamedLinkIsReplacedAndWhatItPointedToIsUntouched)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    const std::u16string precious = tree.file(u"elsewhere/precious.htm", "precious");
    tree.symlink(precious, u"out/ALL_Favorites_Link.htm");
    GeneratorHarness harness;
    const std::string page = harness.run(tree.path(u"fav"), tree.path(u"out"));
    EXPECT_TRUE(page.starts_with("<HTML><HEAD>"));
    EXPECT_EQ(readBytes(precious), "precious");
    EXPECT_FALSE(fs::is_symlink(tree.fsPath(u"out/ALL_Favorites_Link.htm")));
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

// POSIX only: a small file system is mounted for a real full disk.
// A real full disk: a 32 KiB memory file system, where this machine lets root
// mount one.
TEST(AbusePosix, ADiskThatFillsMidPageIsReportedAndKeepsWhatWasWritten)
{
    TempTree tree;
    for (int i = 0; i < 400; ++i)
        tree.shortcut(numbered("fav/link%03d.url", i), u"http://example.com/" + std::u16string(200, char16_t(u'a' + i % 26)));
    const std::u16string small = tree.folder(u"small");
    const SmallFileSystem disk(tree.fsPath(u"small"), "32k");
    if (!disk.mounted())
        GTEST_SKIP() << SmallFileSystem::SkipReason << "; the file services' seam covers a full disk "
                        "(PageWriter.LinesBeforeAWriteFailureAreKeptAndTheNextRunIsClean)";

    TempTree roomy;
    GeneratorHarness reference;
    const std::string full = reference.run(tree.path(u"fav"), roomy.path());
    ASSERT_GT(full.size(), 64u * 1024);

    GeneratorHarness harness;
    std::string onDiskWhenTold;
    harness.boxes.onShow = [&](const ShownMessage&) { onDiskWhenTold = readBytes(pageFile(small)); };
    const std::string partial = harness.run(tree.path(u"fav"), small);
    // One failed write, one message: the page writer's, with no completion after it.
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_GT(partial.size(), 0u);
    EXPECT_LT(partial.size(), full.size());
    EXPECT_TRUE(full.starts_with(partial));
    EXPECT_TRUE(partial.ends_with("</A></LI>\r\n")) << "the page ends after its last whole line";
    EXPECT_EQ(onDiskWhenTold, partial);
}

// POSIX only: the folders are made by entering each one, past PATH_MAX.
TEST(AbusePosix, FoldersDeeperThanThePathLimitEndTheirBranchOnly)
{
    TempTree tree;
    const std::string level(200, 'd');
    {
        WorkingFolder inside(tree.path());
        for (int depth = 0; depth < 25; ++depth) {
            ASSERT_TRUE(fs::create_directory(level));
            fs::current_path(level);
        }
        tree.shortcut(u"shallow.url", u"http://shallow/");
    }
    const RemoveAtEnd removeDeepTree(tree.fsPath() / level);
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const std::string page = harness.run(u".", out.path());
    EXPECT_NE(page.find("http://shallow/"), std::string::npos);
    EXPECT_TRUE(page.ends_with("</BODY></HTML>\r\n"));
    EXPECT_EQ(harness.boxes.shown.back(), completedBox());
    EXPECT_GE(std::count(harness.boxes.shown.begin(), harness.boxes.shown.end(), errorOccurredBox()), 1);
    EXPECT_EQ(countOf(page, "<OL>"), harness.generator.folders().size());
}

// POSIX only: Windows has no named pipes or devices in folders.
TEST(AbusePosix, PipesAndDevicesNamedLikeShortcutsAreNeverOpened)
{
    TempTree tree;
    tree.shortcut(u"fav/real.url", u"http://real/");
    ASSERT_EQ(mkfifo(tree.fsPath(u"fav/pipe.url").c_str(), 0600), 0);
    tree.symlink(u"/dev/zero", u"fav/device.url");
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(tree.path(u"fav"), out.path());
    EXPECT_EQ(countOf(page, "<LI>"), 1u);
    EXPECT_EQ(page.find("pipe"), std::string::npos);
    EXPECT_EQ(page.find("device"), std::string::npos);
}

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(AbusePosix, LinkLoopsEndWithEachFolderListedOnce)
{
    TempTree tree;
    tree.folder(u"fav/A");
    tree.folder(u"fav/B");
    tree.symlink(tree.path(u"fav"), u"fav/A/Up");
    tree.symlink(tree.path(u"fav/B"), u"fav/A/ToB");
    tree.symlink(tree.path(u"fav/A"), u"fav/B/ToA");
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const std::string page = harness.run(u"fav", out.path());
    EXPECT_EQ(countOf(page, "<OL>"), 5u);
    for (const char* section : {"<B>fav</B>", "<B>fav/A</B>", "<B>fav/A/ToB</B>", "<B>fav/B</B>", "<B>fav/B/ToA</B>"})
        EXPECT_EQ(countOf(page, section), 1u) << section;
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}
