#include "platform/files/FileTimes.h"

#include "platform/files/HostPath.h"

#include <windows.h>

namespace markroll {
namespace {

// FILETIME counts 100 ns from 1601; 11644473600 seconds lie before 1970.
std::optional<std::int64_t> secondsSince1970(const FILETIME& time)
{
    const std::uint64_t ticks = (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    if (ticks == 0)
        return std::nullopt;
    return std::int64_t(ticks / 10000000) - 11644473600LL;
}

} // namespace

FileTimes fileTimesOf(std::u16string_view path) noexcept
{
    try {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(toOsPath(path).c_str(), GetFileExInfoStandard, &data))
            return {};
        return {secondsSince1970(data.ftCreationTime), secondsSince1970(data.ftLastWriteTime)};
    } catch (...) {
        return {};
    }
}

// A listing gives names, not times, that outlive it: the path is asked.
FileTimes fileTimesOf(const ListedEntry&, std::u16string_view path) noexcept { return fileTimesOf(path); }

} // namespace markroll
