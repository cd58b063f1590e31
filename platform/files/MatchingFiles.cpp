#include "MatchingFiles.h"

#include "HostPath.h"
#include "Failure.h"
#include "Wildcard.h"

#include <cerrno>

#ifdef _WIN32
#include "WindowsEntries.h"
#else
#include "EntryKind.h"

#include <cstring>
#include <strings.h>
#endif

namespace markroll {

#ifdef _WIN32
namespace {

// Files marked hidden or system are left out, as the runtime's own search
// with no attributes does.
bool isVisible(DWORD attributes) { return !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)); }

// A link counts as what it leads to; one that leads nowhere is no file.
bool isOrdinaryFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry)
{
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    const DWORD attributes = GetFileAttributesW(entryPath(folder, entry.cFileName).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const DWORD code = GetLastError();
    // Leading nowhere, it is no file; anything else its read will tell.
    return !leadsNowhere(code);
}

} // namespace

void addMatchingFiles(const std::wstring& folder, std::u16string_view folderPath, std::u16string_view mask,
                      ListedNames& names)
{
    const DWORD failed = forEachEntry(folder, folderPath, [&](const WIN32_FIND_DATAW& entry) {
        const std::u16string name = nameOf(entry);
        if (!isVisible(entry.dwFileAttributes) || !matchesWildcard(mask, name))
            return;
        if (isOrdinaryFile(folder, entry))
            names.add(name, name);
    });
    if (failed != 0)
        raiseWindowsError(failed, folderPath);
}
#else
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

void addMatchingFiles(DIR* stream, std::u16string_view folderPath, std::u16string_view mask, ListedNames& names)
{
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
#endif

} // namespace markroll
