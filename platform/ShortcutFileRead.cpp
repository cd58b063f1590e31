#include "ShortcutFileRead.h"

#include "ScriptError.h"

#include <cerrno>

#ifndef _WIN32
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace markroll {

std::string ShortcutFileRead::reason() const
{
    switch (outcome) {
    case Outcome::Read: return {};
    case Outcome::OpenFailed:
    case Outcome::ReadFailed: return osReason(osError);
    case Outcome::NotOrdinary: return "not an ordinary file";
    case Outcome::TooLarge: return "too large for a shortcut";
    }
    return {};
}

bool ShortcutFileRead::hitALimit() const
{
    if (outcome != Outcome::OpenFailed && outcome != Outcome::ReadFailed)
        return false;
    return osError == EMFILE || osError == ENFILE || osError == ENOMEM || osError == ENOBUFS;
}

#ifndef _WIN32
namespace {

class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

// A pipe opened without blocking and then found not to be an ordinary file
// is closed unread.
constexpr int ReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

// Reads at `offset`; a first read that would wait for the disk is told, so
// helpers can start reading ahead. That first try is only a question to the
// OS: whatever it answers short of bytes (EAGAIN, or a refusal by a sandbox or
// an old kernel), the plain read follows, and only its failure counts.
ssize_t readSome(int file, char* into, std::size_t size, std::size_t offset, bool& waitedForDisk)
{
    if (offset == 0) {
        iovec buffer{into, size};
        const ssize_t got = ::preadv2(file, &buffer, 1, 0, RWF_NOWAIT);
        if (got >= 0)
            return got;
        waitedForDisk = errno == EAGAIN;
    }
    return ::pread(file, into, size, off_t(offset));
}

// Grows `bytes` to `size` without clearing what a read overwrites anyway.
void makeRoom(std::string& bytes, std::size_t size)
{
    if (bytes.size() < size)
        bytes.resize(std::max(size, bytes.capacity()));
}

} // namespace

ShortcutFileRead readShortcutFile(int folder, const char* name, std::size_t limit, std::string& bytes)
{
    using Outcome = ShortcutFileRead::Outcome;
    ShortcutFileRead read;
    bytes.clear();
    const Descriptor file(folder >= 0 ? ::openat(folder, name, ReadFlags) : ::open(name, ReadFlags));
    if (file.get() < 0)
        return {Outcome::OpenFailed, errno};
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {Outcome::NotOrdinary};
    if (std::size_t(status.st_size) > limit)
        return {Outcome::TooLarge};
    // A file that grows while it is read is read up to one byte past the
    // limit, so that growth is seen too.
    std::size_t room = std::size_t(status.st_size) + 1;
    std::size_t filled = 0;
    while (filled < room && filled <= limit) {
        makeRoom(bytes, room);
        const ssize_t got = readSome(file.get(), bytes.data() + filled, room - filled, filled, read.waitedForDisk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            bytes.clear();
            return {Outcome::ReadFailed, errno, read.waitedForDisk};
        }
        if (got == 0)
            break;
        filled += std::size_t(got);
        if (filled == std::size_t(status.st_size) && filled == std::size_t(got))
            break;
        if (filled == room)
            room = std::min(room * 2, limit + 1);
    }
    bytes.resize(filled);
    if (filled > limit) {
        bytes.clear();
        return {Outcome::TooLarge, 0, read.waitedForDisk};
    }
    return read;
}
#endif

} // namespace markroll
