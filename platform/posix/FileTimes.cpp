#include "platform/files/FileTimes.h"

#include "platform/files/HostPath.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace markroll {

// Linux keeps a creation time ("birth") only on some file systems, and tells
// it only through statx.
FileTimes fileTimesOf(std::u16string_view path) noexcept
{
    try {
        struct statx status {};
        if (::statx(AT_FDCWD, toOsPath(path).c_str(), 0, STATX_MTIME | STATX_BTIME, &status) != 0)
            return {};
        FileTimes times;
        if (status.stx_mask & STATX_MTIME)
            times.modified = status.stx_mtime.tv_sec;
        if (status.stx_mask & STATX_BTIME)
            times.created = status.stx_btime.tv_sec;
        return times;
    } catch (...) {
        return {};
    }
}

} // namespace markroll
