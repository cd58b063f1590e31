#include "platform/Failure.h"
#include "platform/LocalHost.h"
#ifndef _WIN32
#include "tests/support/SmallFileSystem.h"
#endif
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

// UTF-8 without a byte order mark, LF after each line; a lone surrogate has
// no UTF-8 form and is written as U+FFFD.
TEST(Utf8FileStream, LinesInUtf8EndedByLineFeeds)
{
    TempTree tree;
    const std::u16string path = tree.path(u"bookmarks.html");
    auto file = LocalHost().createBookmarkFile(path);
    file->writeLine(u"日本 한국 😀");
    file->writeLine(u"a\xDC80");
    file->writeLine(u"");
    file->close();
    EXPECT_EQ(readBytes(path), "日本 한국 😀\na\xEF\xBF\xBD\n\n");
}

// Whole or nothing: until close() the previous file stands, and a file
// dropped without close() leaves nothing behind.
TEST(Utf8FileStream, ThePreviousFileStandsUntilCloseAndADroppedFileLeavesNothing)
{
    TempTree tree;
    const std::u16string path = tree.file(u"out/bookmarks.html", "previous");
    {
        auto file = LocalHost().createBookmarkFile(path);
        file->writeLine(u"never finished");
        EXPECT_EQ(readBytes(path), "previous");
    }
    EXPECT_EQ(filesIn(tree.path(u"out")), std::vector<std::string>{"bookmarks.html"});
    EXPECT_EQ(readBytes(path), "previous");
}

#ifndef _WIN32
// POSIX only: a small file system is mounted for a real full disk. Unlike
// the page, a bookmark file cut short is never put in place.
TEST(Utf8FileStream, AFullDiskDropsTheFileAndKeepsThePreviousOne)
{
    TempTree tree;
    const SmallFileSystem disk(tree.fsPath(u"small"), "8k");
    if (!disk.mounted())
        GTEST_SKIP() << SmallFileSystem::SkipReason;
    const std::u16string path = tree.file(u"small/bookmarks.html", "previous");
    auto file = LocalHost().createBookmarkFile(path);
    const std::u16string line(1000, u'x');
    std::error_code failure;
    for (int i = 0; i < 100 && !failure; ++i)
        failure = errorOf([&] { file->writeLine(line); });
    EXPECT_EQ(failure, std::errc::no_space_on_device);
    EXPECT_EQ(errorOf([&] { file->close(); }), std::errc::no_space_on_device);
    EXPECT_EQ(readBytes(path), "previous");
    EXPECT_EQ(filesIn(tree.path(u"small")), std::vector<std::string>{"bookmarks.html"});
}
#endif
