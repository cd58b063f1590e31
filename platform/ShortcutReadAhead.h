#pragma once

#include "ListedNames.h"
#include "ShortcutFileRead.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace markroll {

// Reads and scans the shortcut files of the listed folder on a second
// thread, a short window ahead of the generator, so that opening, reading and
// scanning the next files overlaps with writing the page. The generator takes
// each file's URL in order; a file the helper has not begun, the generator
// reads itself, and it reads the next ones rather than wait for a file being
// read. The page and the messages are the same as without it. Linux only;
// elsewhere nothing is read ahead.
class ShortcutReadAhead {
public:
    // Told on the helper's thread when a read had to wait for the disk.
    explicit ShortcutReadAhead(std::function<void()> onDiskWait);
    ~ShortcutReadAhead();
    ShortcutReadAhead(const ShortcutReadAhead&) = delete;
    ShortcutReadAhead& operator=(const ShortcutReadAhead&) = delete;

    // A new listing: these names of the folder open as `folderDescriptor`,
    // in the order they will be read. Abandons the previous listing.
    void start(int folderDescriptor, std::shared_ptr<const ListedNames> names);
    // The generator is about to read the name at `position`; everything
    // before it is done with.
    void reached(std::size_t position);
    // The name at `position` read and scanned ahead, or nothing when the
    // generator is to read the file itself.
    std::optional<ScannedShortcut> take(std::size_t position);
    // Nothing more of the current listing is wanted.
    void stop();

    // Files larger than this are left to the generator, so the window's
    // buffers stay small.
    static constexpr std::size_t SlotLimit = 16 * 1024;

private:
    struct Job;
    void work();
    std::shared_ptr<Job> nextJob(std::size_t& position);
    // What a thread reuses from file to file.
    struct Scratch {
        std::string name;
        std::string bytes;
    };
    static bool claimNext(Job& job, std::size_t& position);
    // Takes on the first position nobody has and reads it; false when the
    // window allows none.
    bool readNext(Job& job, Scratch& scratch);
    void readInto(Job& job, std::size_t position, Scratch& scratch);

    std::function<void()> onDiskWait_;
    std::mutex mutex_;
    std::condition_variable wake_;
    // The current listing as the generator sees it, and as the helper does
    // (under the mutex).
    std::shared_ptr<Job> current_;
    std::shared_ptr<Job> shared_;
    bool ending_ = false;
    // The helper sleeps until the generator reaches `wakeAt_`: waking it at
    // every file would cost more than a warm file's read.
    std::atomic<bool> helperAsleep_{false};
    std::atomic<std::size_t> wakeAt_{0};
    Scratch generatorScratch_;
    std::thread helper_;
};

} // namespace markroll
