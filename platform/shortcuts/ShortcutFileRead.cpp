#include "ShortcutFileRead.h"
#include "ListedFolder.h"

#include "HostPath.h"
#include "Failure.h"
#include "UnreadableShortcut.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

#ifdef _WIN32
#include "WindowsEntries.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace markroll {
namespace {

#ifdef _WIN32
// The shortcut file, open for reading; other programs may go on using it.
class OpenFile {
public:
    OpenFile(const ListedEntry& entry, std::string&)
    {
        const std::wstring listedName(entry.listedName.begin(), entry.listedName.end());
        const std::wstring path = entry.folder ? entryPath(entry.folder->path(), listedName.c_str())
                                               : toOsPath(entry.name).native();
        handle_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        error_ = handle_ == INVALID_HANDLE_VALUE ? int(GetLastError()) : 0;
    }
    ~OpenFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    int error() const { return error_; }
    // A file on a disk, not a folder, a pipe or a device: its size.
    bool ordinarySize(std::uint64_t& size) const
    {
        BY_HANDLE_FILE_INFORMATION facts{};
        if (GetFileType(handle_) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle_, &facts) ||
            (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        size = (std::uint64_t(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
        return true;
    }
    // Bytes read at `offset`, 0 at the end, -1 on failure (error() tells).
    long long readAt(char* into, std::size_t size, std::size_t offset, bool&)
    {
        OVERLAPPED at{};
        at.Offset = DWORD(offset & 0xFFFFFFFFu);
        at.OffsetHigh = DWORD(std::uint64_t(offset) >> 32);
        DWORD got = 0;
        if (ReadFile(handle_, into, DWORD(std::min<std::size_t>(size, 1u << 30)), &got, &at))
            return got;
        error_ = int(GetLastError());
        return error_ == ERROR_HANDLE_EOF ? 0 : -1;
    }
    static bool interrupted(int) { return false; }
    // Windows's listing does not tell a pipe or a device from a file.
    static constexpr bool TypedByListing = false;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    int error_ = 0;
};
#else
// A pipe opened without blocking and then found not to be an ordinary file
// is closed unread.
constexpr int ReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

// The shortcut file, open for reading, relative to its folder where it has one.
class OpenFile {
public:
    OpenFile(const ListedEntry& entry, std::string& path)
    {
        if (entry.folder) {
            descriptor_ = ::openat(entry.folder->descriptor(), entry.listedName.c_str(), ReadFlags);
        } else {
            toHostBytes(entry.name, path);
            descriptor_ = ::open(path.c_str(), ReadFlags);
        }
        error_ = descriptor_ < 0 ? errno : 0;
    }
    ~OpenFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool opened() const { return descriptor_ >= 0; }
    int error() const { return error_; }
    bool ordinarySize(std::uint64_t& size) const
    {
        struct stat status {};
        if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode))
            return false;
        size = std::uint64_t(status.st_size);
        return true;
    }
    // Reads at `offset`; a first read that would wait for the disk is told,
    // so helpers can start reading ahead. That first try is only a question
    // to the OS: whatever it answers short of bytes (EAGAIN, or a refusal by
    // a sandbox or an old kernel), the plain read follows, and only its
    // failure counts.
    long long readAt(char* into, std::size_t size, std::size_t offset, bool& waitedForDisk)
    {
        if (offset == 0) {
            iovec buffer{into, size};
            const ssize_t got = ::preadv2(descriptor_, &buffer, 1, 0, RWF_NOWAIT);
            if (got >= 0)
                return got;
            waitedForDisk = errno == EAGAIN;
        }
        const ssize_t got = ::pread(descriptor_, into, size, off_t(offset));
        error_ = got < 0 ? errno : 0;
        return got;
    }
    static bool interrupted(int error) { return error == EINTR; }
    static constexpr bool TypedByListing = true;

private:
    int descriptor_ = -1;
    int error_ = 0;
};
#endif

// Room for a shortcut of ordinary size, which is a few hundred bytes.
constexpr std::size_t FirstRoom = 4096;

// Grows `bytes` to `size`; it keeps its size, so no read's room is cleared
// again.
void makeRoom(std::string& bytes, std::size_t size)
{
    if (bytes.size() < size)
        bytes.resize(std::max(size, bytes.capacity()));
}

std::error_code osErrorCode(int osError)
{
#ifdef _WIN32
    return {osError, std::system_category()};
#else
    return {osError, std::generic_category()};
#endif
}

} // namespace

std::string ShortcutFileRead::reason() const
{
    switch (outcome) {
    case Outcome::Read: return {};
    case Outcome::OpenFailed:
    case Outcome::ReadFailed: return reasonFor(error());
    case Outcome::NotOrdinary: return "not an ordinary file";
    case Outcome::TooLarge: return "too large for a shortcut";
    }
    return {};
}

bool ShortcutFileRead::failsTheRun() const
{
    return (outcome == Outcome::OpenFailed || outcome == Outcome::ReadFailed) && !leavesShortcutUnreadable(osError);
}

std::error_code ShortcutFileRead::error() const { return osErrorCode(osError); }

namespace {

// The common case on Linux, where the listing has typed the entry as an
// ordinary file already: one read of all the room there is. A read that falls
// short of it has reached the end. Anything else (nothing read, a full room, a
// failure, such as a folder put in the file's place) is left to the read that
// looks at the file first.
bool readInOne(OpenFile& file, std::string& bytes, ShortcutFileRead& read)
{
    if (!OpenFile::TypedByListing)
        return false;
    const long long got = file.readAt(bytes.data(), bytes.size(), 0, read.waitedForDisk);
    if (got <= 0 || std::size_t(got) >= bytes.size())
        return false;
    read.length = std::size_t(got);
    return true;
}

// Looks at the file's type and size first: for a file that does not change
// meanwhile, one read.
ShortcutFileRead readChecked(OpenFile& file, std::size_t limit, std::string& bytes, bool waitedForDisk)
{
    using Outcome = ShortcutFileRead::Outcome;
    ShortcutFileRead read{Outcome::Read, 0, waitedForDisk};
    std::uint64_t size = 0;
    if (!file.ordinarySize(size))
        return {Outcome::NotOrdinary, 0, waitedForDisk};
    if (size > limit)
        return {Outcome::TooLarge, 0, waitedForDisk};
    // A file that grows while it is read is read up to one byte past the
    // limit, so that growth is seen too.
    std::size_t room = std::size_t(size) + 1;
    std::size_t filled = 0;
    while (filled < room && filled <= limit) {
        makeRoom(bytes, room);
        const long long got = file.readAt(bytes.data() + filled, room - filled, filled, read.waitedForDisk);
        if (got < 0 && OpenFile::interrupted(file.error()))
            continue;
        if (got < 0)
            return {Outcome::ReadFailed, file.error(), read.waitedForDisk};
        if (got == 0)
            break;
        filled += std::size_t(got);
        if (filled == size && filled == std::size_t(got))
            break;
        if (filled == room)
            room = std::min(room * 2, limit + 1);
    }
    if (filled > limit)
        return {Outcome::TooLarge, 0, read.waitedForDisk};
    read.length = filled;
    return read;
}

} // namespace

ShortcutFileRead readShortcutFile(const ListedEntry& entry, std::size_t limit, std::string& bytes, std::string& scratch)
{
    using Outcome = ShortcutFileRead::Outcome;
    OpenFile file(entry, scratch);
    if (!file.opened())
        return {Outcome::OpenFailed, file.error()};
    makeRoom(bytes, std::min(FirstRoom, limit + 1));
    ShortcutFileRead read;
    if (entry.folder && readInOne(file, bytes, read))
        return read;
    return readChecked(file, limit, bytes, read.waitedForDisk);
}

} // namespace markroll
