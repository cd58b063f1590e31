#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "tests/runs/WholeRuns.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;
using Shown = std::vector<ShownMessage>;

namespace {

// A file whose name is given as raw bytes, as a Linux name can be.
void writeRaw(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}


} // namespace

// POSIX only: Windows drops dots at the end of file names.
TEST(RobustnessPosix, FoldersNamedLikeDotEntriesStayInsideTheTree)
{
    TempTree tree;
    tree.shortcut(u"outside.url", u"http://outside/");
    tree.shortcut(u"fav/\uFEFF./in-dot.url", u"http://in-dot/");
    tree.shortcut(u"fav/\uFEFF../in-dotdot.url", u"http://in-dotdot/");
    GeneratorHarness harness;
    const std::string page = pageFor(harness, tree, u"fav");
    EXPECT_EQ(countOf(page, "<OL>"), 3u);
    EXPECT_EQ(page.find("http://outside/"), std::string::npos) << page;
    EXPECT_NE(page.find("http://in-dot/"), std::string::npos);
    EXPECT_NE(page.find("http://in-dotdot/"), std::string::npos);
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

// POSIX only: Linux names are bytes; Windows names are UTF-16 already.
// Files copied from a Japanese Windows machine keep Shift_JIS bytes in their
// names: they open, and the page shows them decoded.
TEST(RobustnessPosix, ShiftJisNamesOpenAndReadAsJapanese)
{
    TempTree tree;
    writeRaw(tree.fsPath(u"fav") / "\x93\xFA\x96\x7B.url", shortcutBytes(u"http://nihon/"));       // 日本
    writeRaw(tree.fsPath(u"fav") / "\x83\x6A\x83\x85\x81\x5B\x83\x58" / "a.url", shortcutBytes(u"http://a/"));  // ニュース
    GeneratorHarness harness;
    const std::string page = pageFor(harness, tree, u"fav");
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + u"<LI><A Href=\"http://nihon/\">日本</A></LI>\n" +
                                closing() + opening(u"fav/ニュース") + link(u"a") + closing() + foot()),
                     page);
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

// POSIX only: Linux names are bytes; Windows names are UTF-16 already.
TEST(RobustnessPosix, BytesThatAreNeitherUtf8NorShiftJisShowAsReplacementsAndStillOpen)
{
    TempTree tree;
    writeRaw(tree.fsPath(u"fav") / "x\xFF\xFE.url", shortcutBytes(u"http://one/"));
    writeRaw(tree.fsPath(u"fav") / "x\xFF.url", shortcutBytes(u"http://two/"));
    writeRaw(tree.fsPath(u"fav") / "x\xA0.url", shortcutBytes(u"http://three/"));
    GeneratorHarness harness;
    const std::string page = pageFor(harness, tree, u"fav");
    // Each name is listed once, by its own bytes, and links to its own target.
    EXPECT_EQ(countOf(page, "<LI>"), 3u) << page;
    EXPECT_NE(page.find("http://one/\">x&#65533;&#65533;</A>"), std::string::npos) << page;
    EXPECT_NE(page.find("http://two/\">x&#65533;</A>"), std::string::npos) << page;
    EXPECT_NE(page.find("http://three/\">x&#65533;</A>"), std::string::npos) << page;
    EXPECT_EQ(page.find("読み込みに失敗"), std::string::npos);
}

// POSIX only: Linux names are bytes; Windows names are UTF-16 already.
TEST(RobustnessPosix, UnfinishedUtf8ThatIsValidShiftJisReadsAsShiftJis)
{
    TempTree tree;
    // E6 97 is cut-off UTF-8 and also the code page 932 pair for 譌.
    writeRaw(tree.fsPath(u"fav") / "\xE6\x97.url", shortcutBytes(u"http://cut/"));
    GeneratorHarness harness;
    EXPECT_NE(pageFor(harness, tree, u"fav").find("http://cut/\">\xE6\x97</A>"), std::string::npos);
}

// POSIX only: hard links, named pipes and devices at the page's name.
TEST(RobustnessPosix, WhateverStandsAtThePagesNameIsReplacedNeverOpened)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    const std::u16string other = tree.file(u"elsewhere/other.htm", "someone else's file");
    const auto expectWholePage = [&](const std::u16string& out, const char* what) {
        GeneratorHarness harness;
        const std::string page = harness.run(tree.path(u"fav"), out);
        EXPECT_TRUE(page.starts_with("<HTML><HEAD>") && page.ends_with("</BODY></HTML>\r\n")) << what;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(toFsPath(pageFile(out))))) << what;
        EXPECT_EQ(harness.boxes.shown, Shown{completedBox()}) << what;
    };

    tree.folder(u"hard");
    ASSERT_EQ(::link(tree.fsPath(u"elsewhere/other.htm").c_str(), tree.fsPath(u"hard/ALL_Favorites_Link.htm").c_str()), 0);
    expectWholePage(tree.path(u"hard"), "a hard link");
    EXPECT_EQ(readBytes(other), "someone else's file");

    tree.folder(u"fifo");
    ASSERT_EQ(::mkfifo(tree.fsPath(u"fifo/ALL_Favorites_Link.htm").c_str(), 0600), 0);
    expectWholePage(tree.path(u"fifo"), "a named pipe");

    tree.folder(u"device");
    if (::mknod(tree.fsPath(u"device/ALL_Favorites_Link.htm").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        expectWholePage(tree.path(u"device"), "a device");
}
