#include "platform/files/DiskFlush.h"

#include <io.h>
#include <windows.h>

namespace markroll {
namespace {

std::error_code lastError() { return {int(GetLastError()), std::system_category()}; }

} // namespace

std::error_code flushToDisk(int descriptor)
{
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (file == INVALID_HANDLE_VALUE)
        return {int(ERROR_INVALID_HANDLE), std::system_category()};
    // A device or pipe has nothing kept back to flush.
    if (FlushFileBuffers(file) || GetLastError() == ERROR_INVALID_FUNCTION)
        return {};
    return lastError();
}

// MOVEFILE_WRITE_THROUGH returns once the move is on the disk.
ReplaceOutcome replaceDurably(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return {lastError(), {}};
}

} // namespace markroll
