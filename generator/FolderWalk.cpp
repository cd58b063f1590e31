#include "generator/FolderWalk.h"

#include "generator/Messages.h"
#include "generator/RunReport.h"
#include "platform/Failure.h"
#include "platform/Host.h"

#include <utility>

namespace markroll {

// A folder of the walk whose sub-folders are still being gone through.
struct FolderWalk::PendingFolder {
    std::u16string path;
    std::vector<std::u16string> subfolders;
    std::size_t next = 0;
    bool inBookmarks = true;
};

bool FolderWalk::collectFolders(FolderList& folders)
{
    std::vector<PendingFolder> pending;
    if (folders.keepsBeyondPage())
        metFirstTime(folders[0]);
    enterFolder(folders, 0, pending);
    if (folders.unlisted(0))
        return false;
    while (!pending.empty()) {
        if (pending.back().next == pending.back().subfolders.size())
            pending.pop_back();
        else
            takeNextSubfolder(folders, pending);
    }
    return true;
}

// A full list (or no memory left) ends the folder being gone through.
void FolderWalk::takeNextSubfolder(FolderList& folders, std::vector<PendingFolder>& pending)
{
    const std::size_t depth = pending.size();
    try {
        PendingFolder& folder = pending.back();
        std::u16string child = host_.joinPath(folder.path, folder.subfolders[folder.next++]);
        const std::size_t held = folders.size();
        if (folders.keepsBeyondPage())
            takeIntoFullList(folders, std::move(child), pending);
        else
            folders.add(std::move(child), depth);
        if (folders.size() > held)
            enterFolder(folders, folders.size() - 1, pending);
    } catch (...) {
        const Failure error = currentFailure();
        pending.resize(depth - 1);
        report_.failure(messages::ErrorOccurred, error);
    }
}

// Past the page's room a folder goes only into the bookmark file, so one
// already written there is left out.
void FolderWalk::takeIntoFullList(FolderList& folders, std::u16string child, const std::vector<PendingFolder>& pending)
{
    const bool onPage = folders.size() < FolderList::Capacity;
    if (!onPage && !std::exchange(pageFullTold_, true))
        tellPageFull(pending);
    const bool inBookmarks = pending.back().inBookmarks && metFirstTime(child);
    if (onPage || inBookmarks)
        folders.add(std::move(child), pending.size(), inBookmarks);
}

// A folder whose identity the OS will not tell counts as met for the first time.
bool FolderWalk::metFirstTime(std::u16string_view folder)
{
    const std::optional<FileIdentity> identity = host_.identityOf(folder);
    return !identity || bookmarked_.insert(*identity).second;
}

// A list that stops at the page's room ends, at its first refusal, the folder
// being gone through, and then each folder below which a sub-folder is still
// to come, one message each.
void FolderWalk::tellPageFull(const std::vector<PendingFolder>& pending)
{
    std::size_t refusals = 1;
    for (std::size_t level = 0; level + 1 < pending.size(); ++level) {
        if (pending[level].next < pending[level].subfolders.size())
            ++refusals;
    }
    const Failure full = FolderList::fullFailure();
    for (; refusals > 0; --refusals)
        report_.failure(messages::ErrorOccurred, full);
}

// Lists the folder at `index` and, when it could be listed, puts it on the
// stack. An entry of it that could not be told apart is told here, once.
void FolderWalk::enterFolder(FolderList& folders, std::size_t index, std::vector<PendingFolder>& pending)
{
    const std::u16string& path = folders[index];
    SubfolderList list;
    try {
        list = host_.listSubfolders(path);
        pending.push_back({path, std::move(list.names), 0, folders.inBookmarks(index)});
    } catch (...) {
        const Failure error = currentFailure();
        folders.markUnlisted(index);
        report_.failure(messages::ErrorOccurred, error);
        return;
    }
    for (const Failure& entryFailure : list.entryFailures)
        report_.failure(messages::ErrorOccurred, entryFailure);
}

} // namespace markroll
