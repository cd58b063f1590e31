#include "ShortcutReadAhead.h"

#ifndef _WIN32
#include "DirectoryStream.h"
#include "HostPath.h"
#include "InternetShortcut.h"
#include "MatchingFiles.h"

#include <array>
#include <csignal>
#include <limits>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>
#endif

namespace markroll {

#ifdef _WIN32

ShortcutReadAhead::ShortcutReadAhead(std::function<void()> onDiskWait) : onDiskWait_(std::move(onDiskWait)) {}
ShortcutReadAhead::~ShortcutReadAhead() = default;
void ShortcutReadAhead::expect(std::string) {}
std::shared_ptr<const ListedNames> ShortcutReadAhead::adopt(const std::string&, int) { return nullptr; }
void ShortcutReadAhead::start(int, std::shared_ptr<const ListedNames>) {}
void ShortcutReadAhead::reached(std::size_t) {}
std::optional<ScannedShortcut> ShortcutReadAhead::take(std::size_t) { return std::nullopt; }
void ShortcutReadAhead::stop() {}

#else

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

// Which folder a descriptor is open on, whatever its path is by now.
struct FolderIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

bool identify(int descriptor, FolderIdentity& identity)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return false;
    identity = {status.st_dev, status.st_ino};
    return true;
}

// The helper's descriptor table becomes its own, with none of the program's
// descriptors in it. Only where the copies can all be closed: a copy of a
// pipe's writing end would keep that pipe from ever ending.
void takeOwnDescriptorTable()
{
    if (::close_range(~0U, ~0U, 0) == 0 && ::unshare(CLONE_FILES) == 0)
        ::close_range(0, ~0U, 0);
}

} // namespace

struct ShortcutReadAhead::Job {
    Job(std::shared_ptr<const ListedNames> names, FolderIdentity identity)
        : names(std::move(names)), identity(identity)
    {
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

    // The folder as the generator has it open: set before the generator
    // reads; the helper reads through a descriptor of its own.
    int folder = -1;
    // The path the helper listed, for a listing made ahead.
    std::string path;
    std::shared_ptr<const ListedNames> names;
    FolderIdentity identity;
    // The first position nobody has taken on yet: the helper and the
    // generator each take a position by moving this past it.
    std::atomic<std::size_t> unclaimed{0};
    std::atomic<std::size_t> reached{0};
    std::array<Slot, Window> slots;
};

// The folders the helper has open in its own table: the current listing's
// and the one listed ahead. A listing whose folder it could not open again is
// kept with no stream, so it is not tried twice.
class ShortcutReadAhead::HelperFolders {
public:
    void add(std::shared_ptr<Job> job, DirectoryStream stream)
    {
        folders_.push_back({std::move(job), std::move(stream)});
    }

    bool unreadable(const Job* job) const
    {
        const Folder* folder = find(job);
        return folder && !folder->stream;
    }

    // The helper's descriptor of the job's folder, -1 when it has none. A
    // listing the generator made is opened again through the generator's
    // descriptor, and used only if it is still that folder.
    int descriptorFor(const std::shared_ptr<Job>& job)
    {
        if (const Folder* folder = find(job.get()))
            return folder->stream ? dirfd(folder->stream.get()) : -1;
        DirectoryStream stream(opendir(("/proc/self/fd/" + std::to_string(job->folder)).c_str()));
        FolderIdentity identity;
        if (stream && (!identify(dirfd(stream.get()), identity) || identity != job->identity))
            stream.reset();
        const int descriptor = stream ? dirfd(stream.get()) : -1;
        add(job, std::move(stream));
        return descriptor;
    }

    // Closes the folders of every other listing.
    void keepOnly(const Job* current, const Job* prepared)
    {
        std::erase_if(folders_, [&](const Folder& folder) {
            return folder.job.get() != current && folder.job.get() != prepared;
        });
    }

private:
    struct Folder {
        std::shared_ptr<Job> job;
        DirectoryStream stream;
    };
    const Folder* find(const Job* job) const
    {
        for (const Folder& folder : folders_)
            if (folder.job.get() == job)
                return &folder;
        return nullptr;
    }

    std::vector<Folder> folders_;
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

// Under the mutex.
void ShortcutReadAhead::startHelper()
{
    if (helper_.joinable())
        return;
    helper_ = std::thread([this] {
        // The program's signals are for its other threads to handle.
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, nullptr);
        pthread_setname_np(pthread_self(), "markroll-read");
        takeOwnDescriptorTable();
        work();
    });
}

// Under the mutex, after a change the helper may be waiting for.
void ShortcutReadAhead::wakeHelperIfAsleep()
{
    if (helperAsleep_.load())
        wake_.notify_all();
}

void ShortcutReadAhead::expect(std::string folder)
{
    const std::lock_guard lock(mutex_);
    expected_ = std::move(folder);
    ++expectation_;
    prepared_.reset();
    startHelper();
    wakeHelperIfAsleep();
}

// Under the mutex. A listing made ahead is good for the very next listing
// only: whichever starts, what was expected for it is over.
std::shared_ptr<ShortcutReadAhead::Job> ShortcutReadAhead::takePrepared()
{
    ++expectation_;
    expected_.clear();
    return std::exchange(prepared_, nullptr);
}

std::shared_ptr<const ListedNames> ShortcutReadAhead::adopt(const std::string& folder, int folderDescriptor)
{
    FolderIdentity identity;
    const bool identified = identify(folderDescriptor, identity);
    current_.reset();
    const std::lock_guard lock(mutex_);
    shared_.reset();
    const std::shared_ptr<Job> job = takePrepared();
    // Either way the helper has something to do: let go of a listing that is
    // not wanted, or go on reading this one.
    wakeHelperIfAsleep();
    if (!job || !identified || job->path != folder || job->identity != identity)
        return nullptr;
    job->folder = folderDescriptor;
    current_ = job;
    shared_ = job;
    return job->names;
}

void ShortcutReadAhead::start(int folderDescriptor, std::shared_ptr<const ListedNames> names)
{
    stop();
    FolderIdentity identity;
    if (!identify(folderDescriptor, identity))
        return;
    current_ = std::make_shared<Job>(std::move(names), identity);
    current_->folder = folderDescriptor;
    const std::lock_guard lock(mutex_);
    shared_ = current_;
    startHelper();
    wakeHelperIfAsleep();
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
    current_.reset();
    const std::lock_guard lock(mutex_);
    shared_.reset();
    if (takePrepared())
        wakeHelperIfAsleep();
}

bool ShortcutReadAhead::claimable(const Job& job)
{
    const std::size_t position = job.unclaimed.load();
    return position < job.names->size() && position < job.reached.load() + Window;
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
    readInto(job, job.folder, position, scratch);
    return true;
}

void ShortcutReadAhead::readInto(Job& job, int folder, std::size_t position, Scratch& scratch)
{
    Job::Slot& slot = job.slots[position % Window];
    toHostBytes((*job.names)[position], scratch.name);
    slot.read = readShortcutFile(folder, scratch.name.c_str(), SlotLimit, scratch.bytes);
    slot.hasTarget = slot.read.outcome == ShortcutFileRead::Outcome::Read && internetShortcutTarget(scratch.bytes, slot.target);
    if (slot.read.waitedForDisk && onDiskWait_)
        onDiskWait_();
    slot.readyFor.store(position + 1, std::memory_order_release);
    slot.readyFor.notify_all();
}

// Listing the expected folder comes first, so its listing is there when the
// generator starts it; then the current listing's files, then those of the
// one listed ahead. False when the run ends; sleeps while there is nothing.
bool ShortcutReadAhead::nextTask(Task& task, HelperFolders& folders)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (ending_)
            return false;
        folders.keepOnly(shared_.get(), prepared_.get());
        if (!expected_.empty() && !prepared_) {
            task = {nullptr, std::exchange(expected_, {}), expectation_};
            return true;
        }
        if (shared_ && !folders.unreadable(shared_.get()) && claimable(*shared_)) {
            task = {shared_, {}, 0};
            return true;
        }
        if (prepared_ && claimable(*prepared_)) {
            task = {prepared_, {}, 0};
            return true;
        }
        sleepUntilWoken(lock, folders);
    }
}

void ShortcutReadAhead::sleepUntilWoken(std::unique_lock<std::mutex>& lock, const HelperFolders& folders)
{
    std::size_t wakeAt = Never;
    // The window is full: wake once the generator is half way through it.
    if (shared_ && !folders.unreadable(shared_.get()) && shared_->unclaimed.load() < shared_->names->size())
        wakeAt = shared_->unclaimed.load() - Window / 2;
    // Asleep is said before the window is looked at again, so the generator
    // either sees it and wakes the helper, or moved on in time for the
    // second look.
    wakeAt_.store(wakeAt);
    helperAsleep_.store(true);
    if (wakeAt == Never || shared_->reached.load() < wakeAt)
        wake_.wait(lock);
    helperAsleep_.store(false);
}

// Lists the expected folder in the helper's own table. The listing is kept
// only while that folder is still the one expected.
void ShortcutReadAhead::listAhead(const Task& task, HelperFolders& folders)
{
    DirectoryStream stream(opendir(task.list.c_str()));
    FolderIdentity identity;
    if (!stream || !identify(dirfd(stream.get()), identity))
        return;
    auto names = std::make_shared<ListedNames>();
    addMatchingFiles(stream.get(), ShortcutMask, *names);
    names->sort();
    auto job = std::make_shared<Job>(std::move(names), identity);
    job->path = task.list;
    const std::lock_guard lock(mutex_);
    if (task.expectation != expectation_ || ending_)
        return;
    prepared_ = job;
    folders.add(std::move(job), std::move(stream));
}

void ShortcutReadAhead::work()
{
    HelperFolders folders;
    Scratch scratch;
    for (Task task; nextTask(task, folders);) {
        if (!task.read) {
            listAhead(task, folders);
            continue;
        }
        const int folder = folders.descriptorFor(task.read);
        std::size_t position = 0;
        if (folder >= 0 && claimNext(*task.read, position))
            readInto(*task.read, folder, position, scratch);
    }
}

#endif

} // namespace markroll
