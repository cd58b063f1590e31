#include "platform/shortcuts/OpenShortcutFile.h"

#include "platform/posix/ListedFolderPosix.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace markroll {
namespace {

// A pipe opened without blocking and then found not to be an ordinary file
// is closed unread.
constexpr int ShortcutReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

} // namespace

const bool OpenShortcutFile::TypedByListing = true;

OpenShortcutFile::OpenShortcutFile(const ListedEntry& entry)
    : handle_(::openat(entry.folder->descriptor(), entry.listedName.c_str(), ShortcutReadFlags)), opened_(handle_ >= 0)
{
    error_ = opened_ ? 0 : errno;
}

OpenShortcutFile::~OpenShortcutFile()
{
    if (opened_)
        ::close(int(handle_));
}

bool OpenShortcutFile::ordinarySize(std::uint64_t& size) const
{
    struct stat status {};
    if (::fstat(int(handle_), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    size = std::uint64_t(status.st_size);
    return true;
}

// The first try is only a question to the OS: whatever it answers short of
// bytes (EAGAIN, or a refusal by a sandbox or an old kernel), the plain read
// follows, and only its failure counts.
long long OpenShortcutFile::readAt(char* into, std::size_t size, std::size_t offset, bool& waitedForDisk)
{
    if (offset == 0) {
        iovec buffer{into, size};
        const ssize_t got = ::preadv2(int(handle_), &buffer, 1, 0, RWF_NOWAIT);
        if (got >= 0)
            return got;
        waitedForDisk = errno == EAGAIN;
    }
    const ssize_t got = ::pread(int(handle_), into, size, off_t(offset));
    error_ = got < 0 ? errno : 0;
    return got;
}

bool OpenShortcutFile::interrupted(int error) { return error == EINTR; }

std::error_code shortcutReadError(int osError) { return {osError, std::generic_category()}; }

} // namespace markroll
