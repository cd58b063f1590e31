#include "platform/files/AsideFile.h"

#include "platform/Failure.h"
#include "platform/files/DiskFlush.h"
#include "platform/files/HostPath.h"
#include "platform/files/PageFileCalls.h"
#include "platform/files/PendingFile.h"

#include <cerrno>
#include <random>
#include <utility>

namespace fs = std::filesystem;

namespace markroll {
namespace {

using namespace pagefile;

constexpr std::size_t FlushThreshold = 64 * 1024;

// ".NAME.XXXXXXXX.tmp" beside the target, made new: never an entry that exists.
std::pair<int, fs::path> createTemporaryBeside(const fs::path& target)
{
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path::string_type name = target.filename().native();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto suffix = std::to_string(random() % 100000000);
        fs::path temporary = target;
        temporary.replace_filename(fs::path(".").native() + name + fs::path("." + suffix + ".tmp").native());
        const int descriptor = openNew(temporary);
        if (descriptor >= 0 || errno != EEXIST)
            return {descriptor, temporary};
    }
    return {-1, {}};
}

} // namespace

std::unique_ptr<AsideFile> AsideFile::create(std::u16string_view shownPath, std::string_view lineEnd,
                                             AfterFailedWrite afterFailedWrite)
{
    const fs::path target = toOsPath(shownPath);
    // A folder of the file's name can never be replaced: fail before writing.
    if (isDirectory(target))
        raiseSystemFailure(EISDIR, shownPath);
    const pendingfile::TerminationHeld held;
    auto [descriptor, temporary] = createTemporaryBeside(target);
    if (descriptor < 0)
        raiseSystemFailure(errno, shownPath);
    const int slot = pendingfile::track(temporary);
    return std::unique_ptr<AsideFile>(new AsideFile(descriptor, slot, std::move(temporary), target,
                                                    std::u16string(shownPath), lineEnd, afterFailedWrite));
}

AsideFile::AsideFile(int descriptor, int trackedSlot, fs::path temporary, fs::path target, std::u16string shownPath,
                     std::string_view lineEnd, AfterFailedWrite afterFailedWrite)
    : descriptor_(descriptor), trackedSlot_(trackedSlot), temporary_(std::move(temporary)),
      target_(std::move(target)), shownPath_(std::move(shownPath)), lineEnd_(lineEnd),
      afterFailedWrite_(afterFailedWrite)
{
}

// A file dropped without close() was never finished: it is not put in place.
AsideFile::~AsideFile()
{
    if (descriptor_ < 0)
        return;
    closeDescriptor(descriptor_);
    dropTemporary();
}

std::string& AsideFile::pending()
{
    if (descriptor_ < 0)
        raiseSystemFailure(EBADF, shownPath_);
    failIfBroken();
    return pending_;
}

void AsideFile::handOverIfFull()
{
    if (pending_.size() >= FlushThreshold)
        handOver();
}

// Once a write has failed, lines were lost: anything written after them would
// leave a hole in the file, so every later write is refused.
void AsideFile::failIfBroken() const
{
    if (writeFailure_)
        raiseSystemFailure(writeFailure_, shownPath_);
}

void AsideFile::handOver()
{
    failIfBroken();
    if (descriptor_ < 0)
        return;
    std::size_t done = 0;
    while (done < pending_.size()) {
        const long written = writeSome(descriptor_, pending_.data() + done, pending_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int osError = written < 0 ? errno : ENOSPC;
            // What could not be written is dropped, and so is the part of a
            // line that was: the file keeps every whole line before the
            // failure and nothing after it.
            cutToWholeLines(done);
            pending_.clear();
            writeFailure_ = std::error_code(osError, std::generic_category());
            failIfBroken();
        }
        done += std::size_t(written);
    }
    handedOver_ += pending_.size();
    pending_.clear();
}

// `done` bytes of the pending lines reached the file; they begin with a whole line.
void AsideFile::cutToWholeLines(std::size_t done)
{
    const std::size_t endSize = lineEnd_.size();
    const std::size_t lineEnd = done < endSize ? std::string::npos : pending_.rfind(lineEnd_, done - endSize);
    const std::size_t whole = lineEnd == std::string::npos ? 0 : lineEnd + endSize;
    if (whole < done)
        truncateTo(descriptor_, handedOver_ + whole);
    handedOver_ += whole;
}

// The file replaces the previous one only once it is on the disk: a file
// that cannot be flushed or closed is dropped, and the previous one stays.
void AsideFile::close()
{
    if (descriptor_ < 0)
        return;
    try {
        handOver();
    } catch (const Failure&) {
        // What the failure left is decided below.
    }
    std::error_code error = flushToDisk(descriptor_);
    if (closeDescriptor(std::exchange(descriptor_, -1)) != 0 && !error)
        error = std::error_code(errno, std::generic_category());
    if (!error && writeFailure_ && afterFailedWrite_ == AfterFailedWrite::DropFile)
        error = writeFailure_;
    if (error) {
        dropTemporary();
        raiseSystemFailure(error, shownPath_);
    }
    moveIntoPlace();
    failIfBroken();
}

void AsideFile::moveIntoPlace()
{
    const pendingfile::TerminationHeld held;
    const std::error_code error = replaceDurably(temporary_, target_);
    if (error) {
        dropTemporary();
        raiseSystemFailure(error, shownPath_);
    }
    pendingfile::untrack(std::exchange(trackedSlot_, -1));
}

void AsideFile::dropTemporary()
{
    removeEntry(temporary_);
    pendingfile::untrack(std::exchange(trackedSlot_, -1));
}

} // namespace markroll
