#include "MatchingFiles.h"

#ifndef _WIN32
#include "HostPath.h"
#include "Wildcard.h"

#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#endif

namespace markroll {

#ifndef _WIN32
namespace {

// The shortcut mask is compared on the bytes, before anything is decoded.
bool endsWithUrl(const char* name, std::size_t length)
{
    return length >= 4 && strcasecmp(name + length - 4, ".url") == 0;
}

bool isOrdinaryFile(int folder, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status {};
    return fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

} // namespace

void addMatchingFiles(DIR* stream, std::u16string_view mask, ListedNames& names)
{
    const bool shortcutMask = mask == ShortcutMask;
    while (const dirent* entry = readdir(stream)) {
        // Names that start with a dot are hidden on Linux.
        if (entry->d_name[0] == '.')
            continue;
        const std::size_t length = std::strlen(entry->d_name);
        if (shortcutMask && !endsWithUrl(entry->d_name, length))
            continue;
        std::u16string name = fromHostBytes(std::string_view(entry->d_name, length));
        if (!shortcutMask && !matchesWildcard(mask, name))
            continue;
        if (isOrdinaryFile(dirfd(stream), *entry))
            names.add(name);
    }
}
#endif

} // namespace markroll
