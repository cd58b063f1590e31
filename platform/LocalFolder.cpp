#include "LocalFolder.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "ScriptError.h"

#include <cerrno>

#ifndef _WIN32
#include "DirectoryStream.h"

#include <fcntl.h>
#include <sys/stat.h>
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
namespace {

// A link that leads nowhere, in a circle or where we may not look is no
// folder; any other failure to tell is a failure of the listing.
bool isDirectoryAt(int folder, const char* name, const fs::path& folderPath)
{
    struct stat status {};
    if (fstatat(folder, name, &status, 0) == 0)
        return S_ISDIR(status.st_mode);
    if (errno == ENOENT || errno == ELOOP || errno == EACCES || errno == ENOTDIR)
        return false;
    raiseOsError(errno, PathNotFound, fromFsPath(folderPath / name));
}

// The entry's own type, looked up where the file system does not give it;
// DT_UNKNOWN for an entry gone since it was listed.
unsigned char typeOf(int folder, const dirent& entry, const fs::path& folderPath)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    struct stat status {};
    if (fstatat(folder, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return DT_UNKNOWN;
        raiseOsError(errno, PathNotFound, fromFsPath(folderPath / entry.d_name));
    }
    return S_ISLNK(status.st_mode) ? DT_LNK : S_ISDIR(status.st_mode) ? DT_DIR : DT_REG;
}

} // namespace

// The entry types of the listing tell folders apart; only links (and file
// systems that give no type) cost a look at what they lead to.
std::vector<std::u16string> LocalFolder::subfolderNames()
{
    const DirectoryStream folder(opendir(path_.c_str()));
    if (!folder.get())
        throw ScriptError(errorNumberForErrno(errno, PathNotFound), fromFsPath(path_), osReason(errno));
    std::vector<std::u16string> names;
    errno = 0;
    while (const dirent* entry = readdir(folder.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const unsigned char type = typeOf(dirfd(folder.get()), *entry, path_);
        const bool isLink = type == DT_LNK;
        const bool isFolder = type == DT_DIR || (isLink && isDirectoryAt(dirfd(folder.get()), entry->d_name, path_));
        if (isFolder && !(isLink && leadsBackUp(path_ / fs::path(std::string(name)))))
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
