#include "LocalFolder.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "Failure.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include "WindowsEntries.h"
#else
#include "DirectoryStream.h"
#include "EntryKind.h"
#endif

namespace fs = std::filesystem;

namespace markroll {
namespace {

// Whether `isFolder` says the entry is one; when the OS would not tell, the
// entry is left out and its failure kept for the walk to tell.
template <typename Question>
bool tellingEntryFailures(SubfolderList& list, Question isFolder)
{
    try {
        return isFolder();
    } catch (const Failure& failure) {
        list.entryFailures.push_back(failure);
        return false;
    }
}

// A path that names no folder fails before anything is listed.
#ifdef _WIN32
void checkIsFolder(std::u16string_view path)
{
    const DWORD attributes = GetFileAttributesW(toOsPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        raiseWindowsError(GetLastError(), path);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        raiseWindowsError(ERROR_PATH_NOT_FOUND, path);
}
#else
void checkIsFolder(std::u16string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(toOsPath(path), error))
        raiseSystemFailure(error ? error.value() : ENOENT, path);
}
#endif

// The listing order of the OS is not the same from run to run.
void inNameOrder(SubfolderList& list)
{
    sortByNameOrder(list.names);
    std::sort(list.entryFailures.begin(), list.entryFailures.end(),
              [](const Failure& a, const Failure& b) { return nameOrderLess(a.object(), b.object()); });
}

} // namespace

LocalFolder::LocalFolder(std::u16string_view path) : shownPath_(path), path_(toOsPath(path)) {}

#ifdef _WIN32
SubfolderList LocalFolder::subfolders()
{
    checkIsFolder(shownPath_);
    SubfolderList list;
    const std::wstring& folder = path_.native();
    const DWORD failed = forEachEntry(folder, shownPath_, [&](const WIN32_FIND_DATAW& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
        std::u16string name = nameOf(entry);
        const bool walked = tellingEntryFailures(list, [&] {
            return !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                   isLinkToWalk(entryPath(folder, entry.cFileName), joinPath(shownPath_, name));
        });
        if (walked)
            list.names.push_back(std::move(name));
    });
    if (failed != 0)
        raiseWindowsError(failed, shownPath_);
    inNameOrder(list);
    return list;
}

// A link (or junction) is walked when it leads to a folder that is not this
// one or an ancestor, as walked or as it really lies; one leading nowhere is
// no folder, and any other failure to tell is raised.
bool LocalFolder::isLinkToWalk(const std::wstring& link, std::u16string_view shownAs)
{
    FileIdentity target;
    DWORD error = 0;
    if (!identityOf(link, target, error)) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return false;
        raiseWindowsError(error, shownAs);
    }
    if (!ancestorsKnown_) {
        ancestorsKnown_ = true;
        addWithAncestors(path_.native());
        addWithAncestors(finalPathOf(path_.native()));
    }
    return !ancestors_.contains(target);
}

void LocalFolder::addWithAncestors(std::wstring path)
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
#else
// The entry types of the listing tell folders apart; only links (and file
// systems that give no type) cost a look at what they lead to.
SubfolderList LocalFolder::subfolders()
{
    checkIsFolder(shownPath_);
    const DirectoryStream folder(opendir(path_.c_str()));
    if (!folder.get())
        raiseSystemFailure(errno, shownPath_);
    SubfolderList list;
    errno = 0;
    while (const dirent* entry = readdir(folder.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const bool isFolder = tellingEntryFailures(list, [&] {
            const EntryKind kind = entryKind(dirfd(folder.get()), entry->d_name, entry->d_type, shownPath_);
            return kind == EntryKind::Folder ||
                   (kind == EntryKind::LinkToFolder && !leadsBackUp(path_ / fs::path(std::string(name))));
        });
        if (isFolder)
            list.names.push_back(fromHostBytes(name));
        errno = 0;
    }
    if (errno != 0)
        raiseSystemFailure(errno, shownPath_);
    inNameOrder(list);
    return list;
}

// A folder's ancestors are those of its real place and, as well, those of the
// path as walked through links, so two folders that link to each other are
// each entered once through a link and no more.
bool LocalFolder::leadsBackUp(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::canonical(link, error);
    if (error)
        return false;
    if (!ancestorsKnown_) {
        ancestorsKnown_ = true;
        addWithAncestors(fs::absolute(path_, error), false);
        addWithAncestors(fs::canonical(path_, error), true);
    }
    return ancestors_.contains(target);
}

void LocalFolder::addWithAncestors(fs::path path, bool resolved)
{
    std::error_code error;
    for (; !path.empty(); path = path.parent_path()) {
        const fs::path real = resolved ? path : fs::canonical(path, error);
        if (resolved || !error)
            ancestors_.insert(real);
        if (path == path.parent_path())
            break;
    }
}

#endif

} // namespace markroll
