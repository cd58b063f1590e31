#include "LocalFolder.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "ScriptError.h"

namespace fs = std::filesystem;

namespace markroll {

LocalFolder::LocalFolder(std::u16string_view path) : path_(toFsPath(path)) {}

std::vector<std::u16string> LocalFolder::subfolderNames()
{
    std::error_code error;
    fs::directory_iterator entries(path_, error);
    if (error)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(path_), error.message());
    std::vector<std::u16string> names;
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::error_code typeError;
        if (entry.is_symlink(typeError)) {
            if (!entry.is_directory(typeError) || leadsBackUp(entry.path()))
                continue;
        } else if (!entry.is_directory(typeError)) {
            continue;
        }
        names.push_back(fileNameOf(entry.path()));
    }
    if (error)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(path_), error.message());
    sortByNameOrder(names);
    return names;
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

} // namespace markroll
