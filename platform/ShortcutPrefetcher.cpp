#include "ShortcutPrefetcher.h"

#include "HostPath.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace markroll {
namespace {

constexpr int HelperCount = 4;
// How far the helpers may run ahead of the generator.
constexpr std::size_t Window = 128;
constexpr std::uint64_t ColdReadsBeforeHelp = 16;
// At least one read in this many waited.
constexpr std::uint64_t ColdShare = 4;

} // namespace

struct ShortcutPrefetcher::Job {
    Job(int descriptor, std::shared_ptr<const ListedNames> names) : folder(descriptor), names(std::move(names)) {}
    ~Job()
    {
#ifndef _WIN32
        if (folder >= 0)
            ::close(folder);
#endif
    }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    int folder;
    std::shared_ptr<const ListedNames> names;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> reached{0};
    std::size_t lastWake = 0;
    std::atomic<bool> abandoned{false};
};

ShortcutPrefetcher::ShortcutPrefetcher() = default;

ShortcutPrefetcher::~ShortcutPrefetcher()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
        if (job_)
            job_->abandoned = true;
    }
    wake_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

void ShortcutPrefetcher::start([[maybe_unused]] int folderDescriptor, [[maybe_unused]] std::shared_ptr<const ListedNames> names)
{
#ifndef _WIN32
    const int descriptor = ::fcntl(folderDescriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        return;
    {
        const std::lock_guard lock(mutex_);
        if (job_)
            job_->abandoned = true;
        job_ = std::make_shared<Job>(descriptor, std::move(names));
        if (!cold_)
            return;
    }
    wake_.notify_all();
#endif
}

// A warm cache needs no help, and helpers would only double the work: they
// start once reads keep waiting for the disk, and stay for the run. A warm
// cache too makes a read wait now and then (a few dozen in a hundred
// thousand, with two threads reading), so it takes many waits that are also a
// good share of the reads so far.
void ShortcutPrefetcher::coldReadSeen()
{
    const std::lock_guard lock(mutex_);
    ++coldReads_;
    if (!cold_ && coldReads_ >= ColdReadsBeforeHelp && coldReads_ * ColdShare >= readsSeen_)
        cold_ = true;
}

// Helpers waiting at the window's edge are woken every half window, not at
// every file: a wake-up costs more than a warm file's read.
void ShortcutPrefetcher::reached(std::size_t position)
{
    {
        const std::lock_guard lock(mutex_);
        ++readsSeen_;
        if (!job_ || !cold_)
            return;
        // Started here, on the generator's thread: a thread shares the
        // descriptor table of the thread that starts it, and the folder's
        // descriptor is in the generator's. The read-ahead thread, which sees
        // cold reads too, has a table of its own.
        const bool starting = helpers_.empty();
        while (helpers_.size() < HelperCount)
            helpers_.emplace_back([this] { work(); });
        job_->reached = position;
        if (!starting && position < job_->lastWake + Window / 2)
            return;
        job_->lastWake = position;
    }
    wake_.notify_all();
}

void ShortcutPrefetcher::stop()
{
    const std::lock_guard lock(mutex_);
    if (job_)
        job_->abandoned = true;
    job_.reset();
}

void ShortcutPrefetcher::work()
{
#ifndef _WIN32
    std::unique_lock lock(mutex_);
    for (;;) {
        std::shared_ptr<Job> job;
        std::size_t index = 0;
        wake_.wait(lock, [&] {
            if (ending_)
                return true;
            job = job_;
            if (!job || job->abandoned)
                return false;
            index = job->next.load();
            return index < job->names->size() && index < job->reached + Window;
        });
        if (ending_)
            return;
        if (!job->next.compare_exchange_strong(index, index + 1))
            continue;
        lock.unlock();
        // Opening pulls in the file's inode, the advice its bytes; both are
        // what a cold disk is slow at.
        const int file = ::openat(job->folder, toHostBytes((*job->names)[index]).c_str(),
                                  O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (file >= 0) {
            struct stat status {};
            if (::fstat(file, &status) == 0 && S_ISREG(status.st_mode))
                ::posix_fadvise(file, 0, status.st_size, POSIX_FADV_WILLNEED);
            ::close(file);
        }
        lock.lock();
    }
#endif
}

} // namespace markroll
