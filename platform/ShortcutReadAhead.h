#pragma once

#include "ListedNames.h"
#include "ShortcutFileRead.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
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
// read. Told which folder comes next, the helper lists it and reads its first
// files while the generator finishes the current one. The page and the
// messages are the same as without it. Linux only; elsewhere nothing is read
// ahead.
//
// The helper opens files through a descriptor table of its own, holding only
// the folders it reads: two threads opening and closing files in one table
// queue on each other in the kernel. It never holds a copy of the program's
// own descriptors, so a pipe the program closes still ends.
class ShortcutReadAhead {
public:
    // Told on the helper's thread when a read had to wait for the disk.
    explicit ShortcutReadAhead(std::function<void()> onDiskWait);
    ~ShortcutReadAhead();
    ShortcutReadAhead(const ShortcutReadAhead&) = delete;
    ShortcutReadAhead& operator=(const ShortcutReadAhead&) = delete;

    // The folder (host path) whose shortcuts are likely to be listed next.
    void expect(std::string folder);
    // The next listing, of `folder` open as `folderDescriptor`: the names
    // the helper listed and is reading already, when it listed this very
    // folder; otherwise nothing, and the caller lists and starts it.
    std::shared_ptr<const ListedNames> adopt(const std::string& folder, int folderDescriptor);
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
    class HelperFolders;
    // What the helper is to do next.
    struct Task {
        std::shared_ptr<Job> read;  // read a file of this listing
        std::string list;           // or list this folder ahead
        std::uint64_t expectation = 0;
    };
    // What a thread reuses from file to file.
    struct Scratch {
        std::string name;
        std::string bytes;
    };

    void startHelper();
    void work();
    bool nextTask(Task& task, HelperFolders& folders);
    void sleepUntilWoken(std::unique_lock<std::mutex>& lock, const HelperFolders& folders);
    void listAhead(const Task& task, HelperFolders& folders);
    void wakeHelperIfAsleep();
    std::shared_ptr<Job> takePrepared();
    static bool claimNext(Job& job, std::size_t& position);
    static bool claimable(const Job& job);
    // Takes on the first position nobody has and reads it; false when the
    // window allows none.
    bool readNext(Job& job, Scratch& scratch);
    void readInto(Job& job, int folder, std::size_t position, Scratch& scratch);

    std::function<void()> onDiskWait_;
    std::mutex mutex_;
    std::condition_variable wake_;
    // The current listing as the generator sees it, and as the helper does
    // (under the mutex).
    std::shared_ptr<Job> current_;
    std::shared_ptr<Job> shared_;
    // Under the mutex: the folder expected next, not yet listed; the listing
    // the helper made of it; and a count of expectations, so a listing made
    // for an earlier one is dropped.
    std::string expected_;
    std::shared_ptr<Job> prepared_;
    std::uint64_t expectation_ = 0;
    bool ending_ = false;
    // The helper sleeps until the generator reaches `wakeAt_`: waking it at
    // every file would cost more than a warm file's read.
    std::atomic<bool> helperAsleep_{false};
    std::atomic<std::size_t> wakeAt_{0};
    Scratch generatorScratch_;
    std::thread helper_;
};

} // namespace markroll
