#include "platform/files/AsideFile.h"

#include "platform/Failure.h"
#include "platform/files/DiskFlush.h"
#include "platform/files/HostPath.h"
#include "platform/files/PageFileCalls.h"
#include "platform/files/PendingFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <utility>

namespace fs = std::filesystem;

namespace markroll {
namespace {

using namespace pagefile;

constexpr std::size_t FlushThreshold = 64 * 1024;

} // namespace

std::pair<int, fs::path> createTemporaryBeside(const fs::path& target)
{
    static std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, ".mr%08x.tmp", unsigned(random()));
        fs::path temporary = target;
        temporary.replace_filename(name);
        const int descriptor = openNew(temporary);
        if (descriptor >= 0 || errno != EEXIST)
            return {descriptor, temporary};
    }
    return {-1, {}};
}

std::unique_ptr<AsideFile> AsideFile::create(std::u16string_view shownPath, OutputFileKind kind)
{
    const fs::path target = toOsPath(shownPath);
    // A folder of the file's name can never be replaced: fail before writing.
    if (isDirectory(target))
        raiseSystemFailure(EISDIR, shownPath);
    const pendingfile::TerminationHeld held;
    auto [descriptor, temporary] = createTemporaryBeside(target);
    if (descriptor < 0)
        raiseSystemFailure(errno, shownPath);
    const bool isPage = kind == OutputFileKind::Page;
    if (!isPage)
        closeDescriptor(std::exchange(descriptor, -1));
    const int slot = pendingfile::track(temporary);
    std::unique_ptr<AsideFile> file(
        new AsideFile(descriptor, std::move(temporary), target, std::u16string(shownPath), isPage));
    file->trackedSlot_ = slot;
    return file;
}

std::unique_ptr<AsideFile> AsideFile::writeThrough(int descriptor, std::u16string_view shownPath)
{
    if (descriptor < 0)
        raiseSystemFailure(errno, shownPath);
    return std::unique_ptr<AsideFile>(new AsideFile(descriptor, {}, {}, std::u16string(shownPath), false));
}

AsideFile::AsideFile(int descriptor, fs::path temporary, fs::path target, std::u16string shownPath,
                     bool keepsWholeWrites)
    : descriptor_(descriptor), temporary_(std::move(temporary)), target_(std::move(target)),
      shownPath_(std::move(shownPath)), keepsWholeWrites_(keepsWholeWrites)
{
}

// A file dropped without commit() was never finished: it is not put in place.
AsideFile::~AsideFile()
{
    if (closed_)
        return;
    if (descriptor_ >= 0)
        closeDescriptor(descriptor_);
    dropTemporary();
}

void AsideFile::write(std::string_view bytes)
{
    if (closed_)
        raiseSystemFailure(EBADF, shownPath_);
    failIfBroken();
    pending_.append(bytes);
    writeEnds_.push_back(pending_.size());
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

void AsideFile::breakWith(int osError)
{
    pending_.clear();
    writeEnds_.clear();
    writeFailure_ = std::error_code(osError, std::generic_category());
    raiseSystemFailure(writeFailure_, shownPath_);
}

void AsideFile::handOver()
{
    failIfBroken();
    if (closed_ || pending_.empty())
        return;
    const int descriptor = openForWrite();
    writeAll(descriptor);
    doneWriting(descriptor);
}

int AsideFile::openForWrite()
{
    if (descriptor_ >= 0)
        return descriptor_;
    const int descriptor = openToAppend(temporary_);
    if (descriptor < 0)
        breakWith(errno);
    return descriptor;
}

void AsideFile::doneWriting(int descriptor)
{
    if (descriptor != descriptor_ && closeDescriptor(descriptor) != 0)
        breakWith(errno);
}

void AsideFile::writeAll(int descriptor)
{
    std::size_t done = 0;
    while (done < pending_.size()) {
        const long written = writeSome(descriptor, pending_.data() + done, pending_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int osError = written < 0 ? errno : ENOSPC;
            // What could not be written is dropped, and so is the part of a
            // write that was: the file keeps every whole write before the
            // failure and nothing after it.
            cutToWholeWrites(descriptor, done);
            if (descriptor != descriptor_)
                closeDescriptor(descriptor);
            breakWith(osError);
        }
        done += std::size_t(written);
    }
    handedOver_ += pending_.size();
    pending_.clear();
    writeEnds_.clear();
}

// `done` bytes of the pending writes reached the file.
void AsideFile::cutToWholeWrites(int descriptor, std::size_t done)
{
    const auto after = std::upper_bound(writeEnds_.begin(), writeEnds_.end(), done);
    const std::size_t whole = after == writeEnds_.begin() ? 0 : *std::prev(after);
    if (whole < done && !temporary_.empty())
        truncateTo(descriptor, handedOver_ + whole);
    handedOver_ += whole;
}

void AsideFile::commit()
{
    if (closed_)
        return;
    try {
        handOver();
    } catch (const Failure&) {
        // What the failure left is decided below.
    }
    closed_ = true;
    if (temporary_.empty())
        closeThrough();
    else
        closeAside();
}

// What was written through is already where it goes.
void AsideFile::closeThrough()
{
    const int failed = closeDescriptor(std::exchange(descriptor_, -1));
    if (failed != 0 && !writeFailure_)
        writeFailure_ = std::error_code(errno, std::generic_category());
    failIfBroken();
}

// The file replaces the previous one only once it is on the disk: a file
// that cannot be flushed or closed is dropped, and the previous one stays.
void AsideFile::closeAside()
{
    std::error_code error;
    const int descriptor = descriptor_ >= 0 ? std::exchange(descriptor_, -1) : openToAppend(temporary_);
    if (descriptor < 0) {
        error = std::error_code(errno, std::generic_category());
    } else {
        takeOverMode(descriptor, temporary_, target_);
        error = flushToDisk(descriptor);
        if (closeDescriptor(descriptor) != 0 && !error)
            error = std::error_code(errno, std::generic_category());
    }
    if (!error && writeFailure_ && !keepsWholeWrites_)
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
    const ReplaceOutcome outcome = replaceDurably(temporary_, target_);
    if (outcome.moveFailed) {
        dropTemporary();
        raiseSystemFailure(outcome.moveFailed, shownPath_);
    }
    pendingfile::untrack(std::exchange(trackedSlot_, -1));
    if (outcome.folderNotFlushed)
        throw Failure(FailureKind::FolderNotFlushed, shownPath_,
                      "the new file is in place, but its folder could not be put on the disk (" +
                          reasonFor(outcome.folderNotFlushed) + "), so its name may not survive a power loss",
                      outcome.folderNotFlushed);
}

void AsideFile::dropTemporary()
{
    if (!temporary_.empty())
        removeEntry(temporary_);
    pendingfile::untrack(std::exchange(trackedSlot_, -1));
}

} // namespace markroll
