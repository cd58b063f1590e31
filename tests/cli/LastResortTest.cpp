#include "cli/LastResort.h"
#include "platform/files/PendingFile.h"
#include "tests/support/TestSupport.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

// Where even the C++ runtime gives up, the program removes its unfinished
// page and writes exactly its one failure line, with status 1.
TEST(LastResortDeathTest, TerminateRemovesThePendingPageAndSaysOneLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The same path in the test's own process and in the one it starts to die.
    const std::filesystem::path folder = toFsPath(utf16(MARKROLL_TEST_OUTPUT_DIR)) / "last-resort";
    std::filesystem::create_directories(folder);
    const std::u16string pending = fromFsPath(folder / ".mr12345678.tmp");
    const std::u16string bookmarks = fromFsPath(folder / ".mr87654321.tmp");
    std::ofstream(toFsPath(pending), std::ios::binary) << "half a page";
    std::ofstream(toFsPath(bookmarks), std::ios::binary) << "half the bookmarks";
    EXPECT_EXIT(
        {
            installLastResort();
            pendingfile::track(toFsPath(pending));
            pendingfile::track(toFsPath(bookmarks));
            std::terminate();
        },
        ::testing::ExitedWithCode(1), "^Markroll: エラーが発生しました\r?\n$");
    EXPECT_FALSE(std::filesystem::exists(toFsPath(pending)));
    EXPECT_FALSE(std::filesystem::exists(toFsPath(bookmarks)));
}
