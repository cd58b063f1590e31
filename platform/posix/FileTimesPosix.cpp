#include "platform/files/FileTimes.h"

#include "platform/posix/ListedFolderPosix.h"
#include "platform/files/HostPath.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace markroll {
namespace {

// Linux keeps a creation time ("birth") only on some file systems, and tells
// it only through statx.
FileTimes timesAt(int folder, const char* path) noexcept
{
    struct statx status {};
    if (::statx(folder, path, 0, STATX_MTIME | STATX_BTIME, &status) != 0)
        return {};
    FileTimes times;
    if (status.stx_mask & STATX_MTIME)
        times.modified = status.stx_mtime.tv_sec;
    if (status.stx_mask & STATX_BTIME)
        times.created = status.stx_btime.tv_sec;
    return times;
}

} // namespace

FileTimes fileTimesOf(std::u16string_view path) noexcept
{
    try {
        return timesAt(AT_FDCWD, toOsPath(path).c_str());
    } catch (...) {
        return {};
    }
}

FileTimes fileTimesOf(const ListedEntry& entry, std::u16string_view) noexcept
{
    return timesAt(entry.folder->descriptor(), entry.listedName.c_str());
}

} // namespace markroll
