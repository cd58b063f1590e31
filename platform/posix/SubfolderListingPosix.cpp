#include "platform/files/SubfolderListing.h"

#include "platform/files/HostPath.h"
#include "platform/posix/DirectoryEntries.h"
#include "platform/posix/DirectoryStream.h"
#include "platform/posix/EntryKind.h"

#include <cerrno>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace markroll {
namespace {

// The OS's own answer: nothing there, no way there, or a file where a folder was asked for.
void checkIsFolder(std::u16string_view path)
{
    std::error_code error;
    const fs::file_status status = fs::status(toOsPath(path), error);
    if (fs::is_directory(status))
        return;
    raiseSystemFailure(error ? error.value() : ENOTDIR, path);
}

// A folder's ancestors are those of its real place and, as well, those of the
// path as walked through links, so two folders that link to each other are
// each entered once through a link and no more.
class Ancestors {
public:
    explicit Ancestors(fs::path folder) : folder_(std::move(folder)) {}

    bool leadBackUp(const fs::path& link)
    {
        std::error_code error;
        const fs::path target = fs::canonical(link, error);
        if (error)
            return false;
        if (!known_) {
            known_ = true;
            add(fs::absolute(folder_, error), false);
            add(fs::canonical(folder_, error), true);
        }
        return ancestors_.contains(target);
    }

private:
    void add(fs::path path, bool resolved)
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

    fs::path folder_;
    std::set<fs::path> ancestors_;
    bool known_ = false;
};

} // namespace

// The entry types of the listing tell folders apart; only links (and file
// systems that give no type) cost a look at what they lead to.
SubfolderList listSubfolders(std::u16string_view path)
{
    checkIsFolder(path);
    const fs::path folderPath = toOsPath(path);
    const DirectoryStream folder(opendir(folderPath.c_str()));
    if (!folder.get())
        raiseSystemFailure(errno, path);
    Ancestors ancestors(folderPath);
    SubfolderList list;
    forEachEntry(folder.get(), path, [&](const dirent& entry, std::string_view name) {
        const bool isFolder = tellingEntryFailures(list, [&] {
            const EntryKind kind = entryKind(dirfd(folder.get()), entry.d_name, entry.d_type, path);
            return kind == EntryKind::Folder ||
                   (kind == EntryKind::LinkToFolder && !ancestors.leadBackUp(folderPath / fs::path(std::string(name))));
        });
        if (isFolder)
            list.names.push_back(fromHostBytes(name));
    });
    inNameOrder(list);
    return list;
}

} // namespace markroll
