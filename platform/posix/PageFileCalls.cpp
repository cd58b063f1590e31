#include "platform/files/PageFileCalls.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace markroll::pagefile {

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

} // namespace markroll::pagefile
