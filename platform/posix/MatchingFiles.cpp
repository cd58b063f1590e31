#include "platform/files/MatchingFiles.h"

#include "os/ListedFolder.h"
#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/posix/EntryKind.h"
#include "platform/text/Wildcard.h"

#include <cerrno>
#include <cstring>
#include <strings.h>

namespace markroll {

namespace {

// The shortcut mask is compared on the bytes, before anything is decoded.
bool endsWithUrl(const char* name, std::size_t length)
{
    return length >= 4 && strcasecmp(name + length - 4, ".url") == 0;
}

// An entry the OS will not type is taken for a file: its read tells what it is.
bool mayBeShortcutFile(DIR* stream, const dirent& entry, std::u16string_view folderPath)
{
    try {
        return entryKind(dirfd(stream), entry.d_name, entry.d_type, folderPath) == EntryKind::File;
    } catch (const Failure&) {
        return true;
    }
}

} // namespace

std::shared_ptr<const ListedFolder> openListedFolder(std::u16string_view folderPath)
{
    DirectoryStream stream{opendir(toOsPath(folderPath).c_str())};
    if (!stream)
        raiseSystemFailure(errno, folderPath);
    return std::make_shared<const ListedFolder>(std::move(stream));
}

void addMatchingFiles(const ListedFolder& folder, std::u16string_view folderPath, std::u16string_view mask,
                      ListedNames& names)
{
    DIR* const stream = folder.stream();
    const bool shortcutMask = mask == ShortcutMask;
    std::u16string name;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(stream);
        if (!entry) {
            if (errno != 0)
                raiseSystemFailure(errno, folderPath);
            return;
        }
        // Names that start with a dot are hidden on Linux.
        if (entry->d_name[0] == '.')
            continue;
        const std::size_t length = std::strlen(entry->d_name);
        if (shortcutMask && !endsWithUrl(entry->d_name, length))
            continue;
        const std::string_view listed(entry->d_name, length);
        fromHostName(listed, name);
        if (!shortcutMask && !matchesWildcard(mask, name))
            continue;
        if (mayBeShortcutFile(stream, *entry, folderPath))
            names.add(name, listed);
    }
}

} // namespace markroll
