#include "LocalFolder.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "ScriptError.h"

namespace fs = std::filesystem;

namespace markroll {

LocalFolder::LocalFolder(const QString& path) : path_(toFsPath(path)) {}

QStringList LocalFolder::subfolderNames()
{
    std::error_code error;
    fs::directory_iterator entries(path_, error);
    if (error)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(path_));
    QStringList names;
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::error_code typeError;
        if (entry.is_symlink(typeError)) {
            if (!entry.is_directory(typeError) || leadsBackUp(entry.path()))
                continue;
        } else if (!entry.is_directory(typeError)) {
            continue;
        }
        names.append(fileNameOf(entry.path()));
    }
    if (error)
        throw ScriptError(errorNumberFor(error, PathNotFound), fromFsPath(path_));
    sortByNameOrder(names);
    return names;
}

// Ancestors are taken along the path as walked, not as resolved, so two
// folders that link to each other are each entered once through a link.
bool LocalFolder::leadsBackUp(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::canonical(link, error);
    if (error)
        return false;
    if (!ancestorsKnown_) {
        ancestorsKnown_ = true;
        for (fs::path walked = fs::absolute(path_, error); !walked.empty(); walked = walked.parent_path()) {
            const fs::path resolved = fs::canonical(walked, error);
            if (!error)
                ancestors_.insert(resolved);
            if (walked == walked.parent_path())
                break;
        }
    }
    return ancestors_.contains(target);
}

} // namespace markroll
