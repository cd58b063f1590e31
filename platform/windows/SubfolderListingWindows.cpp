#include "platform/files/SubfolderListing.h"

#include "platform/files/HostPath.h"
#include "platform/windows/WindowsEntries.h"

#include <set>

namespace markroll {
namespace {

void checkIsFolder(std::u16string_view path)
{
    const DWORD attributes = GetFileAttributesW(toOsPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        raiseWindowsError(GetLastError(), path);
    // What Windows says of a file where a folder is asked for, never "not found".
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        raiseWindowsError(ERROR_DIRECTORY, path);
}

// A link (or junction) is walked when it leads to a folder that is not this
// one or an ancestor, as walked or as it really lies; one leading nowhere is
// no folder, and any other failure to tell is raised.
class Ancestors {
public:
    explicit Ancestors(std::wstring folder) : folder_(std::move(folder)) {}

    bool allowLink(const std::wstring& link, std::u16string_view shownAs)
    {
        FileIdentity target;
        DWORD error = 0;
        if (!identityOf(link, target, error)) {
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                return false;
            raiseWindowsError(error, shownAs);
        }
        if (!known_) {
            known_ = true;
            add(folder_);
            add(finalPathOf(folder_));
        }
        return !ancestors_.contains(target);
    }

private:
    void add(std::wstring path)
    {
        while (!path.empty()) {
            FileIdentity identity;
            DWORD error = 0;
            if (identityOf(path, identity, error))
                ancestors_.insert(identity);
            if (path.back() == L'\\')
                path.pop_back();
            // Up to "\\?\": nothing above it is a folder.
            const std::size_t cut = path.rfind(L'\\');
            if (cut == std::wstring::npos || cut <= 3)
                return;
            path.resize(cut);
            if (path.back() == L':')
                path += L'\\';
        }
    }

    std::wstring folder_;
    std::set<FileIdentity> ancestors_;
    bool known_ = false;
};

} // namespace

SubfolderList listSubfolders(std::u16string_view path)
{
    checkIsFolder(path);
    const std::wstring folder = toOsPath(path).native();
    Ancestors ancestors(folder);
    SubfolderList list;
    const DWORD failed = forEachEntry(folder, path, [&](const WIN32_FIND_DATAW& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
        std::u16string name = nameOf(entry);
        const bool walked = tellingEntryFailures(list, [&] {
            return !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                   ancestors.allowLink(entryPath(folder, entry.cFileName), joinPath(path, name));
        });
        if (walked)
            list.names.push_back(std::move(name));
    });
    if (failed != 0)
        raiseWindowsError(failed, path);
    inNameOrder(list);
    return list;
}

} // namespace markroll
