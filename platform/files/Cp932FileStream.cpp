#include "Cp932FileStream.h"

#include "Cp932.h"
#include "DiskFlush.h"
#include "HostPath.h"
#include "PendingFile.h"
#include "Failure.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <utility>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace markroll {
namespace {

constexpr std::size_t FlushThreshold = 64 * 1024;

#ifdef _WIN32
int openNew(const fs::path& path)
{
    int descriptor = -1;
    _wsopen_s(&descriptor, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYWR, _S_IREAD | _S_IWRITE);
    if (descriptor >= 0)
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return descriptor;
}

long writeSome(int descriptor, const char* data, std::size_t size)
{
    return _write(descriptor, data, unsigned(std::min<std::size_t>(size, 1u << 30)));
}

int closeDescriptor(int descriptor) { return _close(descriptor); }

void truncateTo(int descriptor, std::uint64_t size) { _chsize_s(descriptor, static_cast<long long>(size)); }

int removeEntry(const fs::path& path) { return DeleteFileW(path.c_str()) ? 0 : -1; }

bool isDirectory(const fs::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#else
// A new file gets the usual permissions: 0666 less the umask.
int openNew(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666); }

long writeSome(int descriptor, const char* data, std::size_t size) { return long(::write(descriptor, data, size)); }

int closeDescriptor(int descriptor) { return ::close(descriptor); }

void truncateTo(int descriptor, std::uint64_t size)
{
    while (::ftruncate(descriptor, off_t(size)) != 0 && errno == EINTR) {
    }
}

int removeEntry(const fs::path& path) { return ::unlink(path.c_str()); }

bool isDirectory(const fs::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
#endif

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
