#include "platform/files/ShortcutPrefetcher.h"

#include "platform/files/HostPath.h"
#include "platform/files/WarmFiles.h"

#include <utility>

namespace markroll {
namespace {

constexpr int HelperCount = 4;
// How far the helpers may run ahead of the generator.
constexpr std::size_t Window = 128;
constexpr std::uint64_t ColdReadsBeforeHelp = 16;
// At least one read in this many waited.
constexpr std::uint64_t ColdShare = 4;


} // namespace

// A job holds its folder open, so a helper still at work on an abandoned
// listing opens nothing else by its descriptor. The helpers share one cursor,
// moved on under the lock, so each name is warmed once.
struct ShortcutPrefetcher::Job {
    Job(std::shared_ptr<const ListedFolder> folder, std::shared_ptr<const ListedNames> names)
        : folder(std::move(folder)), count(names->size()), cursor(std::move(names))
    {
    }

    const std::shared_ptr<const ListedFolder> folder;
    const std::size_t count;
    ListedNames::Cursor cursor;
    std::size_t next = 0;
    std::size_t reached = 0;
    std::size_t lastWake = 0;
};

ShortcutPrefetcher::ShortcutPrefetcher(ThreadStarter startThread) : startThread_(std::move(startThread))
{
    if (!startThread_)
        startThread_ = [](std::function<void()> work) { return std::thread(std::move(work)); };
}

ShortcutPrefetcher::~ShortcutPrefetcher()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
        job_.reset();
    }
    wake_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

void ShortcutPrefetcher::start(std::shared_ptr<const ListedFolder> folder, std::shared_ptr<const ListedNames> names)
{
    {
        const std::lock_guard lock(mutex_);
        job_ = std::make_shared<Job>(std::move(folder), std::move(names));
        if (!cold_)
            return;
    }
    wake_.notify_all();
}

void ShortcutPrefetcher::stop()
{
    const std::lock_guard lock(mutex_);
    job_.reset();
}

// A warm cache needs no help, and helpers would only double the work: they
// start once reads keep waiting for the disk, and stay for the run. A warm
// cache too makes a read wait now and then, so it takes many waits that are
// also a good share of the reads so far.
void ShortcutPrefetcher::noteColdRead()
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
        const bool starting = helpers_.empty();
        startHelpers();
        job_->reached = position;
        if (!starting && position < job_->lastWake + Window / 2)
            return;
        job_->lastWake = position;
    }
    wake_.notify_all();
}

// Started on the generator's thread, so they share its descriptor table, where
// the folder's descriptor is. A helper that cannot start (a limit on threads,
// no memory for its stack) is only help missed: the run does without it.
void ShortcutPrefetcher::startHelpers()
{
    // Asked once: counting the free descriptors costs two calls for each.
    if (helpersRefused_ || helpers_.size() == HelperCount)
        return;
    if (helpers_.empty() && !roomForWarmingHelpers()) {
        helpersRefused_ = true;
        return;
    }
    try {
        helpers_.reserve(HelperCount);
        while (helpers_.size() < HelperCount)
            helpers_.push_back(startThread_([this] { work(); }));
    } catch (const std::exception&) {
        helpersRefused_ = true;
    }
}

void ShortcutPrefetcher::work()
{
    nameWarmingHelper();
    std::u16string name;
    HostName listed;
    std::unique_lock lock(mutex_);
    for (;;) {
        std::shared_ptr<Job> job;
        wake_.wait(lock, [&] {
            if (ending_)
                return true;
            job = job_;
            return job && job->next < job->count && job->next < job->reached + Window;
        });
        if (ending_)
            return;
        ++job->next;
        try {
            if (!job->cursor.next(name, listed))
                continue;
        } catch (const std::exception&) {
            continue; // no room to copy a name: the generator's own read tells
        }
        lock.unlock();
        warmFile(*job->folder, listed);
        job.reset();
        lock.lock();
    }
}

} // namespace markroll
