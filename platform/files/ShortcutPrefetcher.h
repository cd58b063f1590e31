#pragma once

#include "platform/files/ListedNames.h"
#include "platform/ListedEntry.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace markroll {

// Keeps several shortcut reads in flight ahead of the one the page needs
// next: a few helper threads open the files of the listed folder in order and
// ask the OS to read them ahead, so a cold disk serves many requests at once.
// The generator still reads every file itself, in order, so the page stays the
// same; these helpers only warm the OS's cache, and never run more than a short
// window ahead of the generator. Where a helper cannot start, the run goes on
// without it. Linux only; elsewhere it does nothing.
class ShortcutPrefetcher {
public:
    // How a helper thread is started; tests put one in that refuses.
    using ThreadStarter = std::function<std::thread(std::function<void()>)>;

    explicit ShortcutPrefetcher(ThreadStarter startThread = {});
    ~ShortcutPrefetcher();
    ShortcutPrefetcher(const ShortcutPrefetcher&) = delete;
    ShortcutPrefetcher& operator=(const ShortcutPrefetcher&) = delete;

    // A new listing: these names of `folder`, in the order they will be
    // read. Abandons the previous listing. The helpers stay idle until reads
    // find the disk cold.
    void start(std::shared_ptr<const ListedFolder> folder, std::shared_ptr<const ListedNames> names);
    // One more read had to wait for the disk: once enough reads did, the
    // helpers read ahead from the generator's next position on.
    void noteColdRead();
    // The generator is about to read the name at `position`. Called on the
    // generator's thread only: the helpers are started here.
    void reached(std::size_t position);
    // Nothing more of the current listing is wanted.
    void stop();

private:
    struct Job;
    void startHelpers();
    void work();

    ThreadStarter startThread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::shared_ptr<Job> job_;
    bool ending_ = false;
    bool cold_ = false;
    bool helpersRefused_ = false;
    std::uint64_t coldReads_ = 0;
    std::uint64_t readsSeen_ = 0;
    std::vector<std::thread> helpers_;
};

} // namespace markroll
