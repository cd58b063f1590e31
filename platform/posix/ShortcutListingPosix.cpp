#include "platform/files/ShortcutListing.h"

#include "platform/posix/ListedFolderPosix.h"
#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/posix/DirectoryEntries.h"
#include "platform/posix/EntryKind.h"

#include <cerrno>
#include <strings.h>

namespace markroll {

namespace {

// The shortcut mask is compared on the bytes, before anything is decoded.
bool endsWithUrl(std::string_view name)
{
    return name.size() >= 4 && strcasecmp(name.data() + name.size() - 4, ".url") == 0;
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

void addShortcutFiles(const ListedFolder& folder, std::u16string_view folderPath, ListedNames& names)
{
    DIR* const stream = folder.stream();
    std::u16string name;
    forEachEntry(stream, folderPath, [&](const dirent& entry, std::string_view listed) {
        // Names that start with a dot are hidden on Linux.
        if (listed.front() == '.' || !endsWithUrl(listed))
            return;
        fromHostName(listed, name);
        if (mayBeShortcutFile(stream, entry, folderPath))
            names.add(name, listed);
    });
}

} // namespace markroll
