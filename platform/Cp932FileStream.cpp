#include "Cp932FileStream.h"

#include "Cp932.h"
#include "HostPath.h"
#include "ScriptError.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace markroll {
namespace {

constexpr std::size_t FlushThreshold = 64 * 1024;

void removeLinkAt(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
        std::filesystem::remove(path, error);
}

int openForWriting(const std::filesystem::path& path, bool overwrite)
{
#ifdef _WIN32
    int descriptor = -1;
    const int flags = _O_WRONLY | _O_CREAT | _O_BINARY | (overwrite ? _O_TRUNC : _O_EXCL);
    _wsopen_s(&descriptor, path.c_str(), flags, _SH_DENYWR, _S_IREAD | _S_IWRITE);
    return descriptor;
#else
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (overwrite ? O_TRUNC : O_EXCL);
    return ::open(path.c_str(), flags, 0666);
#endif
}

long writeSome(int descriptor, const char* data, std::size_t size)
{
#ifdef _WIN32
    return _write(descriptor, data, unsigned(std::min<std::size_t>(size, 1u << 30)));
#else
    return long(::write(descriptor, data, size));
#endif
}

int closeDescriptor(int descriptor)
{
#ifdef _WIN32
    return _close(descriptor);
#else
    return ::close(descriptor);
#endif
}

} // namespace

std::unique_ptr<Cp932FileStream> Cp932FileStream::create(std::u16string_view path, bool overwrite)
{
    const std::filesystem::path fsPath = toFsPath(path);
    if (overwrite)
        removeLinkAt(fsPath);
    const int descriptor = openForWriting(fsPath, overwrite);
    if (descriptor < 0)
        raiseOsError(errno, PathNotFound, path);
    return std::unique_ptr<Cp932FileStream>(new Cp932FileStream(descriptor, std::u16string(path)));
}

Cp932FileStream::Cp932FileStream(int descriptor, std::u16string path) : descriptor_(descriptor), path_(std::move(path))
{
}

Cp932FileStream::~Cp932FileStream()
{
    if (descriptor_ < 0)
        return;
    try {
        flush();
    } catch (const ScriptError&) {
        // Nobody is left to tell; what could be written is written.
    }
    closeDescriptor(descriptor_);
}

// Once a write has failed, lines were lost: anything written after them would
// leave a hole in the page, so the stream refuses every later write.
void Cp932FileStream::failIfBroken() const
{
    if (failedWith_ != 0)
        throw ScriptError(failedWith_, path_);
}

void Cp932FileStream::writeLine(std::u16string_view text)
{
    if (descriptor_ < 0)
        throw ScriptError(InvalidCall, "write to a closed stream");
    failIfBroken();
    if (!cp932::encodeAppend(text, pending_))
        throw ScriptError(InvalidCall, "not representable in code page 932");
    pending_.append("\r\n", 2);
    if (pending_.size() >= FlushThreshold)
        flush();
}

void Cp932FileStream::flush()
{
    failIfBroken();
    std::size_t done = 0;
    while (done < pending_.size()) {
        const long written = writeSome(descriptor_, pending_.data() + done, pending_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int osError = written < 0 ? errno : ENOSPC;
            // Drop what could not be written: retrying later could land it at
            // a wrong place of whatever file then stands under this name.
            pending_.clear();
            failedWith_ = errorNumberForErrno(osError, PathNotFound);
            throw ScriptError(failedWith_, path_);
        }
        done += std::size_t(written);
    }
    pending_.clear();
}

void Cp932FileStream::close()
{
    if (descriptor_ < 0)
        return;
    try {
        flush();
    } catch (const ScriptError&) {
        closeDescriptor(std::exchange(descriptor_, -1));
        throw;
    }
    if (closeDescriptor(std::exchange(descriptor_, -1)) != 0)
        raiseOsError(errno, PathNotFound, path_);
}

} // namespace markroll
