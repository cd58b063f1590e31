#include "ShortcutReadAhead.h"

#include "HostPath.h"
#include "InternetShortcut.h"

#include <array>
#include <limits>

#ifndef _WIN32
#include <fcntl.h>
#include <csignal>
#include <pthread.h>
#include <unistd.h>
#endif

namespace markroll {
namespace {

// How far the helper may run ahead of the generator.
constexpr std::size_t Window = 64;
constexpr std::size_t Never = std::numeric_limits<std::size_t>::max();

// A warm file is read in a few microseconds, less than putting a thread to
// sleep and waking it costs: spin that long first.
void waitUntilReady(const std::atomic<std::size_t>& readyFor, std::size_t expected)
{
    for (int spin = 0; spin < 20000; ++spin) {
        if (readyFor.load(std::memory_order_acquire) == expected)
            return;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
    for (std::size_t ready = readyFor.load(std::memory_order_acquire); ready != expected;
         ready = readyFor.load(std::memory_order_acquire))
        readyFor.wait(ready, std::memory_order_acquire);
}

} // namespace

struct ShortcutReadAhead::Job {
    Job(int descriptor, std::shared_ptr<const ListedNames> names) : folder(descriptor), names(std::move(names)) {}
    ~Job()
    {
#ifndef _WIN32
        ::close(folder);
#endif
    }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // A file read ahead; `readyFor` is its position + 1 once it is in.
    // Its URL's room is kept from file to file.
    struct Slot {
        std::atomic<std::size_t> readyFor{0};
        ShortcutFileRead read;
        bool hasTarget = false;
        std::u16string target;
    };

    int folder;
    std::shared_ptr<const ListedNames> names;
    // The first position nobody has taken on yet: the helper and the
    // generator each take a position by moving this past it.
    std::atomic<std::size_t> unclaimed{0};
    std::atomic<std::size_t> reached{0};
    std::array<Slot, Window> slots;
};

ShortcutReadAhead::ShortcutReadAhead(std::function<void()> onDiskWait) : onDiskWait_(std::move(onDiskWait)) {}

ShortcutReadAhead::~ShortcutReadAhead()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    if (helper_.joinable())
        helper_.join();
}

void ShortcutReadAhead::start([[maybe_unused]] int folderDescriptor, [[maybe_unused]] std::shared_ptr<const ListedNames> names)
{
    stop();
#ifndef _WIN32
    const int descriptor = ::fcntl(folderDescriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        return;
    current_ = std::make_shared<Job>(descriptor, std::move(names));
    {
        const std::lock_guard lock(mutex_);
        shared_ = current_;
        if (!helper_.joinable())
            helper_ = std::thread([this] {
                // The program's signals are for its other threads to handle.
                sigset_t all;
                sigfillset(&all);
                pthread_sigmask(SIG_BLOCK, &all, nullptr);
                pthread_setname_np(pthread_self(), "markroll-read");
                work();
            });
    }
    wake_.notify_all();
#endif
}

void ShortcutReadAhead::reached(std::size_t position)
{
    if (!current_)
        return;
    current_->reached.store(position);
    if (helperAsleep_.load() && position >= wakeAt_.load()) {
        const std::lock_guard lock(mutex_);
        wake_.notify_all();
    }
}

std::optional<ScannedShortcut> ShortcutReadAhead::take(std::size_t position)
{
    if (!current_)
        return std::nullopt;
    Job& job = *current_;
    std::size_t unclaimed = job.unclaimed.load();
    while (unclaimed <= position) {
        if (job.unclaimed.compare_exchange_weak(unclaimed, position + 1))
            return std::nullopt;
    }
    // The helper has it: read already, or being read right now. Rather than
    // wait, the generator reads the next files meanwhile.
    Job::Slot& slot = job.slots[position % Window];
    while (slot.readyFor.load(std::memory_order_acquire) != position + 1) {
        if (!readNext(job, generatorScratch_)) {
            waitUntilReady(slot.readyFor, position + 1);
            break;
        }
    }
    if (slot.read.outcome == ShortcutFileRead::Outcome::TooLarge)
        return std::nullopt;
    // A copy: memory the helper took stays the helper's to give back, which
    // spares both threads the allocator's lock.
    ScannedShortcut shortcut{slot.read, std::nullopt};
    if (slot.hasTarget)
        shortcut.target = slot.target;
    return shortcut;
}

void ShortcutReadAhead::stop()
{
    if (!current_)
        return;
    current_.reset();
    const std::lock_guard lock(mutex_);
    shared_.reset();
}

// The next position of the current listing the helper may read, or nothing
// when the run ends. Sleeps while there is none.
std::shared_ptr<ShortcutReadAhead::Job> ShortcutReadAhead::nextJob(std::size_t& position)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (ending_)
            return nullptr;
        std::size_t wakeAt = Never;
        if (shared_) {
            if (claimNext(*shared_, position))
                return shared_;
            // The window is full, or every name is taken on.
            if (position < shared_->names->size())
                wakeAt = position - Window / 2;
        }
        // Asleep is said before the window is looked at again, so the
        // generator either sees it and wakes the helper, or moved on in time
        // for the second look.
        wakeAt_.store(wakeAt);
        helperAsleep_.store(true);
        if (wakeAt != Never && shared_ && shared_->reached.load() >= wakeAt) {
            helperAsleep_.store(false);
            continue;
        }
        wake_.wait(lock);
        helperAsleep_.store(false);
    }
}

// Takes on the first position nobody has, if the window allows; otherwise
// false, with `position` the first one nobody has.
bool ShortcutReadAhead::claimNext(Job& job, std::size_t& position)
{
    position = job.unclaimed.load();
    while (position < job.names->size() && position < job.reached.load() + Window) {
        if (job.unclaimed.compare_exchange_weak(position, position + 1))
            return true;
    }
    return false;
}

bool ShortcutReadAhead::readNext(Job& job, Scratch& scratch)
{
    std::size_t position = 0;
    if (!claimNext(job, position))
        return false;
    readInto(job, position, scratch);
    return true;
}

void ShortcutReadAhead::readInto([[maybe_unused]] Job& job, [[maybe_unused]] std::size_t position,
                                 [[maybe_unused]] Scratch& scratch)
{
#ifndef _WIN32
    Job::Slot& slot = job.slots[position % Window];
    toHostBytes((*job.names)[position], scratch.name);
    slot.read = readShortcutFile(job.folder, scratch.name.c_str(), SlotLimit, scratch.bytes);
    slot.hasTarget = slot.read.outcome == ShortcutFileRead::Outcome::Read && internetShortcutTarget(scratch.bytes, slot.target);
    if (slot.read.waitedForDisk && onDiskWait_)
        onDiskWait_();
    slot.readyFor.store(position + 1, std::memory_order_release);
    slot.readyFor.notify_all();
#endif
}

void ShortcutReadAhead::work()
{
    Scratch scratch;
    for (;;) {
        std::size_t position = 0;
        const std::shared_ptr<Job> job = nextJob(position);
        if (!job)
            return;
        readInto(*job, position, scratch);
    }
}

} // namespace markroll
