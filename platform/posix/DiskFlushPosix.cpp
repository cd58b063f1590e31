#include "platform/files/DiskFlush.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace markroll {
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

// A file system that cannot flush this kind of file has nothing kept back.
bool flushed(int descriptor)
{
    int result = 0;
    do {
        result = ::fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0 || errno == EINVAL || errno == ENOTSUP;
}

} // namespace

std::error_code flushToDisk(int descriptor) { return flushed(descriptor) ? std::error_code() : lastError(); }

// The folder's entry for the new name is on the disk only once the folder is
// flushed too.
ReplaceOutcome replaceDurably(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return {lastError(), {}};
    const std::filesystem::path parent = to.parent_path();
    const int folder = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return {{}, lastError()};
    const bool done = flushed(folder);
    const std::error_code error = done ? std::error_code() : lastError();
    ::close(folder);
    return {{}, error};
}

} // namespace markroll
