#include "platform/files/PageFileCalls.h"

#include "platform/files/HostPath.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace markroll::pagefile {

// A new file gets the usual permissions: 0666 less the umask.
int openNew(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666); }

int openToAppend(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW); }

bool isDeviceOrPipe(std::u16string_view shownPath)
{
    struct stat status {};
    return ::stat(toOsPath(shownPath).c_str(), &status) == 0 && (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode));
}

int openThrough(std::u16string_view shownPath) { return ::open(toOsPath(shownPath).c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY); }

int duplicateStandardOutput() { return ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0); }

fs::path temporaryFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? fs::path(folder) : fs::path("/tmp");
}

int openToRead(const fs::path& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW); }

long readSomeAt(int descriptor, char* data, std::size_t size, std::uint64_t offset)
{
    return long(::pread(descriptor, data, size, off_t(offset)));
}

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

// The owner first: changing it clears the set-user-ID bits the mode then restores.
void takeOverMode(int descriptor, const fs::path&, const fs::path& target)
{
    struct stat previous {};
    if (::lstat(target.c_str(), &previous) != 0 || !S_ISREG(previous.st_mode))
        return;
    // Only root gives a file another owner; a user may give it a group they are in.
    if (::fchown(descriptor, previous.st_uid, previous.st_gid) != 0 &&
        ::fchown(descriptor, uid_t(-1), previous.st_gid) != 0) {
        // The file keeps our own owner and group.
    }
    ::fchmod(descriptor, previous.st_mode & 07777);
}

} // namespace markroll::pagefile
