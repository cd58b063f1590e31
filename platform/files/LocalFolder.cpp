#include "LocalFolder.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "ScriptError.h"

#include <cerrno>

#ifndef _WIN32
#include "DirectoryStream.h"
#include "EntryKind.h"
#endif

namespace fs = std::filesystem;

namespace markroll {

LocalFolder::LocalFolder(std::u16string_view path) : path_(toFsPath(path)) {}

#ifdef _WIN32
// A link leading nowhere is no folder; any other failure to tell is raised.
bool LocalFolder::isFolderToWalk(const fs::directory_entry& entry)
{
    std::error_code error;
    const bool isLink = entry.is_symlink(error);
    const bool isFolder = !error && entry.is_directory(error);
    if (error && error.default_error_condition() != std::errc::no_such_file_or_directory)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(entry.path()), error.message());
    return isFolder && !(isLink && leadsBackUp(entry.path()));
}

std::vector<std::u16string> LocalFolder::subfolderNames()
{
    std::error_code error;
    fs::directory_iterator entries(path_, error);
    if (error)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(path_), error.message());
    std::vector<std::u16string> names;
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        if (isFolderToWalk(entry))
            names.push_back(fileNameOf(entry.path()));
    }
    if (error)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(path_), error.message());
    sortByNameOrder(names);
    return names;
}
#else
// The entry types of the listing tell folders apart; only links (and file
// systems that give no type) cost a look at what they lead to.
std::vector<std::u16string> LocalFolder::subfolderNames()
{
    const DirectoryStream folder(opendir(path_.c_str()));
    if (!folder.get())
        throw ScriptError(errorNumberForErrno(errno, PathNotFound), fromFsPath(path_), osReason(errno));
    const std::u16string shownPath = fromFsPath(path_);
    std::vector<std::u16string> names;
    errno = 0;
    while (const dirent* entry = readdir(folder.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const EntryKind kind = entryKind(dirfd(folder.get()), entry->d_name, entry->d_type, shownPath);
        const bool isFolder = kind == EntryKind::Folder ||
                              (kind == EntryKind::LinkToFolder && !leadsBackUp(path_ / fs::path(std::string(name))));
        if (isFolder)
            names.push_back(fromHostBytes(name));
        errno = 0;
    }
    if (errno != 0)
        throw ScriptError(errorNumberForErrno(errno, PathNotFound), fromFsPath(path_), osReason(errno));
    sortByNameOrder(names);
    return names;
}
#endif

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

} // namespace markroll
