// The folder expected next is listed, and its first files read, on the
// read-ahead thread while the current one is walked. Whatever happens to it
// meanwhile, the generator must get what a listing of its own would give.
// Linux only: elsewhere nothing is listed ahead.
#ifndef _WIN32
#include "ShortcutWalk.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

// The descriptors the read-ahead thread holds, as the OS shows them: what
// each one is open on.
std::vector<fs::path> helperDescriptors()
{
    std::vector<fs::path> open;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/self/task", error)) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name != "markroll-read")
            continue;
        for (const auto& descriptor : fs::directory_iterator(task.path() / "fd", error))
            open.push_back(fs::read_symlink(descriptor.path(), error));
    }
    return open;
}

bool helperHasOpen(const fs::path& folder)
{
    const auto open = helperDescriptors();
    return std::find(open.begin(), open.end(), folder) != open.end();
}

// Waits up to ten seconds for the read-ahead thread to have `folder` open or
// closed.
bool waitUntilHelperHolds(const fs::path& folder, bool held)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (helperHasOpen(folder) != held) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::u16string pattern(const TempTree& tree, std::u16string_view folder)
{
    return tree.path(folder) + u"/*.url";
}

// `count` shortcuts in `folder`, each with its own URL under `site`.
std::vector<std::string> makeFolder(const TempTree& tree, const std::u16string& folder, int count, const char* site)
{
    std::vector<std::string> lines;
    for (int number = 0; number < count; ++number) {
        const std::u16string name = numbered("s%04d.url", number);
        const std::string url = "http://" + std::string(site) + "/" + std::to_string(number);
        tree.shortcut(folder + u"/" + name, std::u16string(url.begin(), url.end()));
        lines.push_back(utf8(name) + " -> " + url);
    }
    return lines;
}

} // namespace

TEST(ListingAhead, TheFolderExpectedNextIsListedMeanwhileAndArrivesWhole)
{
    TempTree tree;
    const auto first = makeFolder(tree, u"a", 150, "a.example");
    const auto second = makeFolder(tree, u"b", 150, "b.example");
    LocalDirectoryListing listing;
    const std::u16string name = listing.start(pattern(tree, u"a"));
    listing.expect(pattern(tree, u"b"));
    ASSERT_TRUE(waitUntilHelperHolds(tree.fsPath(u"b"), true)) << "the next folder was never listed ahead";
    EXPECT_EQ(walkFrom(listing, tree.path(u"a"), name), first);
    EXPECT_EQ(walkFrom(listing, tree.path(u"b"), listing.start(pattern(tree, u"b"))), second);
}

TEST(ListingAhead, AFolderReplacedAfterItWasListedAheadIsListedAgain)
{
    TempTree tree;
    const auto first = makeFolder(tree, u"a", 100, "a.example");
    makeFolder(tree, u"b", 100, "old.example");
    LocalDirectoryListing listing;
    const std::u16string name = listing.start(pattern(tree, u"a"));
    listing.expect(pattern(tree, u"b"));
    ASSERT_TRUE(waitUntilHelperHolds(tree.fsPath(u"b"), true));
    fs::rename(tree.fsPath(u"b"), tree.fsPath(u"b-old"));
    const auto replacement = makeFolder(tree, u"b", 3, "new.example");
    EXPECT_EQ(walkFrom(listing, tree.path(u"a"), name), first);
    EXPECT_EQ(walkFrom(listing, tree.path(u"b"), listing.start(pattern(tree, u"b"))), replacement);
}

TEST(ListingAhead, AFolderExpectedButNotListedNextIsLetGo)
{
    TempTree tree;
    const auto expected = makeFolder(tree, u"b", 100, "b.example");
    const auto other = makeFolder(tree, u"c", 100, "c.example");
    LocalDirectoryListing listing;
    listing.expect(pattern(tree, u"b"));
    ASSERT_TRUE(waitUntilHelperHolds(tree.fsPath(u"b"), true));
    EXPECT_EQ(walkFrom(listing, tree.path(u"c"), listing.start(pattern(tree, u"c"))), other);
    EXPECT_TRUE(waitUntilHelperHolds(tree.fsPath(u"b"), false)) << "the unused listing's folder stays open";
    EXPECT_EQ(walkFrom(listing, tree.path(u"b"), listing.start(pattern(tree, u"b"))), expected);
}

// A copy of a pipe's writing end in the helper would keep the pipe from ever
// ending for the program: a child's output would never be seen to end.
TEST(ListingAhead, TheReadAheadThreadHoldsNoneOfTheProgramsDescriptors)
{
    TempTree tree;
    const auto lines = makeFolder(tree, u"a", 100, "a.example");
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    LocalDirectoryListing listing;
    const std::u16string name = listing.start(pattern(tree, u"a"));
    ASSERT_TRUE(waitUntilHelperHolds(tree.fsPath(u"a"), true));
    // The folder, and a shortcut in it while one is being read.
    const std::string folder = tree.fsPath(u"a").string();
    for (const fs::path& open : helperDescriptors())
        EXPECT_TRUE(open.empty() || open.string().starts_with(folder)) << "the read-ahead thread holds " << open;
    ::close(ends[1]);
    pollfd reading{ends[0], POLLIN, 0};
    EXPECT_EQ(::poll(&reading, 1, 5000), 1) << "the pipe did not end";
    EXPECT_TRUE(reading.revents & POLLHUP);
    ::close(ends[0]);
    EXPECT_EQ(walkFrom(listing, tree.path(u"a"), name), lines);
}
#endif
