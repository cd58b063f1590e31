#include "platform/files/ShortcutListing.h"

#include "platform/windows/ListedFolderWindows.h"
#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/files/SamePlace.h"
#include "platform/windows/WindowsEntries.h"

namespace markroll {
namespace {

bool endsWithUrl(std::u16string_view name)
{
    return name.size() >= 4 && equalLetterCaseAside(name.substr(name.size() - 4), u".url");
}

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

std::shared_ptr<const ListedFolder> openListedFolder(std::u16string_view folderPath)
{
    return std::make_shared<const ListedFolder>(toOsPath(folderPath).native());
}

void addShortcutFiles(const ListedFolder& listed, std::u16string_view folderPath, ListedNames& names)
{
    const std::wstring& folder = listed.path();
    const DWORD failed = forEachEntry(folder, folderPath, [&](const WIN32_FIND_DATAW& entry) {
        const std::u16string name = nameOf(entry);
        if (!isVisible(entry.dwFileAttributes) || !endsWithUrl(name))
            return;
        if (isOrdinaryFile(folder, entry))
            names.add(name, name);
    });
    if (failed != 0)
        raiseWindowsError(failed, folderPath);
}

} // namespace markroll
