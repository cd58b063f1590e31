#pragma once

#include "platform/posix/ListedFolderPosix.h"
#include "platform/ListedEntry.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace markroll {

// A pipe opened without blocking and then found not to be an ordinary file
// is closed unread.
inline constexpr int ShortcutReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

// The listed shortcut file, open for reading, relative to its folder.
class OpenShortcutFile {
public:
    explicit OpenShortcutFile(const ListedEntry& entry)
    {
        descriptor_ = ::openat(entry.folder->descriptor(), entry.listedName.c_str(), ShortcutReadFlags);
        error_ = descriptor_ < 0 ? errno : 0;
    }
    ~OpenShortcutFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    OpenShortcutFile(const OpenShortcutFile&) = delete;
    OpenShortcutFile& operator=(const OpenShortcutFile&) = delete;

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

inline std::error_code shortcutReadError(int osError) { return {osError, std::generic_category()}; }

} // namespace markroll
