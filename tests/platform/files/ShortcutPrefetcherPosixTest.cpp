// The cold-cache helpers only warm the OS's cache: they start once reads keep
// waiting for the disk, end with their prefetcher, and a run goes on without
// them where they cannot start. Linux only: elsewhere there are no helpers.
#include "platform/posix/ListedFolderPosix.h"
#include "platform/files/ListedNames.h"
#include "platform/ListedEntry.h"
#include "platform/files/ShortcutPrefetcher.h"
#include "tests/support/TestSupport.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

// The helper threads running now, by their name: a sanitizer's own threads
// come and go as they please.
int helpersRunning()
{
    int helpers = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task"))
        helpers += readFileBytes(task.path() / "comm") == "markroll-warm\n";
    return helpers;
}

// The helpers running once their count has settled at `expected`, or after
// ten seconds: a thread names itself after it starts, and a joined thread
// stays listed until the kernel has reaped it, so neither shows at once.
int helpersSettlingAt(int expected)
{
    int running = helpersRunning();
    for (int tries = 0; tries < 1000 && running != expected; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        running = helpersRunning();
    }
    return running;
}

// Starts real helper threads, and counts them.
struct CountedStarts {
    ShortcutPrefetcher::ThreadStarter starter()
    {
        return [this](std::function<void()> work) {
            ++started;
            return std::thread(std::move(work));
        };
    }
    int started = 0;
};

class ShortcutPrefetcherPosix : public ::testing::Test {
protected:
    void SetUp() override
    {
        names = std::make_shared<ListedNames>();
        for (const char16_t* name : {u"a.url", u"b.url", u"c.url"}) {
            tree.shortcut(u"f/" + std::u16string(name), u"http://example.jp/");
            names->add(name, toHostName(name));
        }
        DirectoryStream stream{::opendir(tree.fsPath(u"f").c_str())};
        ASSERT_TRUE(stream);
        folder = std::make_shared<const ListedFolder>(std::move(stream));
    }

    // Enough waits for the disk, all of them among the first reads.
    static void makeCold(ShortcutPrefetcher& prefetcher)
    {
        for (int read = 0; read < 16; ++read)
            prefetcher.noteColdRead();
    }

    TempTree tree;
    std::shared_ptr<ListedNames> names;
    std::shared_ptr<const ListedFolder> folder;
};

} // namespace

TEST_F(ShortcutPrefetcherPosix, AWarmCacheStartsNoHelper)
{
    CountedStarts starts;
    ShortcutPrefetcher prefetcher(starts.starter());
    prefetcher.start(folder, names);
    for (std::size_t position = 0; position < names->size(); ++position)
        prefetcher.reached(position);
    EXPECT_EQ(starts.started, 0);
}

TEST_F(ShortcutPrefetcherPosix, ColdReadsStartHelpersThatEndWithThePrefetcher)
{
    ASSERT_EQ(helpersRunning(), 0);
    {
        CountedStarts starts;
        ShortcutPrefetcher prefetcher(starts.starter());
        prefetcher.start(folder, names);
        makeCold(prefetcher);
        prefetcher.reached(0);
        EXPECT_GT(starts.started, 0);
        EXPECT_EQ(helpersSettlingAt(starts.started), starts.started);
        prefetcher.stop();
    }
    EXPECT_EQ(helpersSettlingAt(0), 0);
}

TEST_F(ShortcutPrefetcherPosix, AHelperThatCannotStartIsDoneWithout)
{
    int tries = 0;
    ShortcutPrefetcher prefetcher([&](std::function<void()>) -> std::thread {
        ++tries;
        throw std::system_error(EAGAIN, std::generic_category(), "no thread");
    });
    prefetcher.start(folder, names);
    makeCold(prefetcher);
    prefetcher.reached(0);
    prefetcher.reached(1);
    EXPECT_EQ(tries, 1) << "a refused start is not tried again at every file";
}

// A helper's open file could take the descriptor the generator needs, and
// which read failed would then depend on timing. What counts is what is free,
// not the limit alone: under a limit of 64, or of 256 with all but ten
// descriptors taken (left open by a parent, say), no helper starts.
TEST_F(ShortcutPrefetcherPosix, WithFewDescriptorsFreeNoHelperStarts)
{
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    for (const rlim_t limit : {64, 256}) {
        struct rlimit tight = saved;
        tight.rlim_cur = limit;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
        std::vector<int> leaked;
        for (int descriptor = ::dup(0); limit == 256 && descriptor >= 0; descriptor = ::dup(0))
            leaked.push_back(descriptor);
        for (int release = 0; release < 10 && !leaked.empty(); ++release, leaked.pop_back())
            ::close(leaked.back());
        CountedStarts starts;
        {
            ShortcutPrefetcher prefetcher(starts.starter());
            prefetcher.start(folder, names);
            makeCold(prefetcher);
            prefetcher.reached(0);
            for (const int descriptor : leaked)
                ::close(descriptor);
            ::setrlimit(RLIMIT_NOFILE, &saved);
            // Counting costs two calls a descriptor: it is done once a run,
            // not again at every cold read.
            makeCold(prefetcher);
            prefetcher.reached(1);
        }
        EXPECT_EQ(starts.started, 0) << "limit " << limit;
    }
}
