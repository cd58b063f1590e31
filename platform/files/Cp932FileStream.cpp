#include "platform/files/Cp932FileStream.h"

#include "platform/Failure.h"
#include "platform/files/DiskFlush.h"
#include "platform/files/HostPath.h"
#include "platform/files/PageFileCalls.h"
#include "platform/files/PendingFile.h"
#include "platform/text/Cp932.h"

#include <algorithm>
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

std::unique_ptr<Cp932FileStream> Cp932FileStream::create(std::u16string_view path)
{
    const fs::path target = toOsPath(path);
    // A folder of the page's name can never be replaced: fail before writing.
    if (isDirectory(target))
        raiseSystemFailure(EISDIR, path);
    const pendingfile::TerminationHeld held;
    auto [descriptor, temporary] = createTemporaryBeside(target);
    if (descriptor < 0)
        raiseSystemFailure(errno, path);
    pendingfile::track(temporary);
    return std::unique_ptr<Cp932FileStream>(
        new Cp932FileStream(descriptor, std::move(temporary), target, std::u16string(path)));
}

Cp932FileStream::Cp932FileStream(int descriptor, fs::path temporary, fs::path target, std::u16string path)
    : descriptor_(descriptor), temporary_(std::move(temporary)), target_(std::move(target)), path_(std::move(path))
{
}

// A stream dropped without close() was never finished: its page is not put in place.
Cp932FileStream::~Cp932FileStream()
{
    if (descriptor_ < 0)
        return;
    closeDescriptor(descriptor_);
    dropTemporary();
}

// Once a write has failed, lines were lost: anything written after them would
// leave a hole in the page, so the stream refuses every later write.
void Cp932FileStream::failIfBroken() const
{
    if (writeFailure_)
        raiseSystemFailure(writeFailure_, path_);
}

void Cp932FileStream::writeLine(std::u16string_view text)
{
    if (descriptor_ < 0)
        raiseSystemFailure(EBADF, path_);
    failIfBroken();
    if (!cp932::encodeAppend(text, pending_))
        throw Failure(FailureKind::UnencodableText, path_, "not representable in code page 932");
    pending_.append("\r\n", 2);
    if (pending_.size() >= FlushThreshold)
        handOver();
}

void Cp932FileStream::handOver()
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
            // line that was: the page keeps every whole line before the
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
void Cp932FileStream::cutToWholeLines(std::size_t done)
{
    const std::size_t lineEnd = done < 2 ? std::string::npos : pending_.rfind("\r\n", done - 2);
    const std::size_t whole = lineEnd == std::string::npos ? 0 : lineEnd + 2;
    if (whole < done)
        truncateTo(descriptor_, handedOver_ + whole);
    handedOver_ += whole;
}

// The page replaces the previous one only once it is on the disk: a page
// that cannot be flushed or closed is dropped, and the previous one stays.
void Cp932FileStream::close()
{
    if (descriptor_ < 0)
        return;
    try {
        handOver();
    } catch (const Failure&) {
        // The lines before the failure still make the page.
    }
    std::error_code error = flushToDisk(descriptor_);
    if (closeDescriptor(std::exchange(descriptor_, -1)) != 0 && !error)
        error = std::error_code(errno, std::generic_category());
    if (error) {
        dropTemporary();
        raiseSystemFailure(error, path_);
    }
    moveIntoPlace();
    failIfBroken();
}

void Cp932FileStream::moveIntoPlace()
{
    const pendingfile::TerminationHeld held;
    const std::error_code error = replaceDurably(temporary_, target_);
    if (error) {
        dropTemporary();
        raiseSystemFailure(error, path_);
    }
    pendingfile::untrack();
}

void Cp932FileStream::dropTemporary()
{
    removeEntry(temporary_);
    pendingfile::untrack();
}

} // namespace markroll
