// The cold-cache helpers open the generator's folder by its descriptor, so they
// must share the generator's descriptor table, whichever thread saw the disk
// wait first. Linux only: elsewhere there are no helpers.
#ifndef _WIN32
#include "ListedNames.h"
#include "ShortcutPrefetcher.h"
#include "TestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sched.h>
#include <string>
#include <thread>
#include <unistd.h>

using namespace markroll;
using namespace markroll::test;
namespace fs = std::filesystem;

TEST(Prefetcher, HelpersShareTheGeneratorsDescriptorsEvenWhenAReadingThreadSawTheWait)
{
    TempTree tree;
    auto names = std::make_shared<ListedNames>();
    for (const char16_t* name : {u"a.url", u"b.url"}) {
        tree.shortcut(u"f/" + std::u16string(name), u"http://example.jp/");
        names->add(name);
    }
    const int folder = ::open(tree.fsPath(u"f").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ShortcutPrefetcher prefetcher;
    prefetcher.start(folder, names);
    // Cold reads told by a thread with a descriptor table of its own, as the
    // read-ahead thread's is.
    std::thread([&] {
        ASSERT_EQ(::unshare(CLONE_FILES), 0);
        ::close_range(0, ~0U, 0);
        for (int read = 0; read < 16; ++read)
            prefetcher.coldReadSeen();
    }).join();
    prefetcher.reached(0);
    int threads = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        ++threads;
        EXPECT_TRUE(fs::exists(task.path() / "fd" / std::to_string(folder)))
            << "thread " << task.path().filename() << " cannot see the generator's folder";
    }
    EXPECT_GT(threads, 1) << "no helper started";
    ::close(folder);
}
#endif
