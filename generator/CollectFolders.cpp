#include "HostPath.h"
#include "Messages.h"
#include "Module1.h"
#include "Platform.h"
#include "ScriptError.h"

namespace markroll {

// A folder of the walk whose sub-folders are still being gone through.
struct Module1::PendingFolder {
    std::u16string path;
    std::vector<std::u16string> subfolders;
    std::size_t next = 0;
};

// Depth first, each folder stored before the folders below it. A failure ends
// only the folder it happened in; its parent goes on with its next
// sub-folder. When the Favorites folder itself cannot be listed, there is no
// tree to write a page of. The folders still being gone through are kept on
// a stack of our own, so a deep tree needs no deep call stack.
void Module1::CollectFolders(const std::u16string& path)
{
    std::vector<PendingFolder> pending;
    enterFolder(path, 0, pending);
    while (!pending.empty()) {
        const std::size_t depth = pending.size();
        PendingFolder& folder = pending.back();
        if (folder.next == folder.subfolders.size()) {
            pending.pop_back();
            continue;
        }
        const int slot = state_.FolderCount;
        try {
            std::u16string child = joinPath(folder.path, folder.subfolders[folder.next++]);
            state_.FolderList.store(slot, child);
            ++state_.FolderCount;
            enterFolder(child, slot, pending);
        } catch (...) {
            // The table is full (or no memory is left): this folder ends here.
            const ScriptError error = currentFailure();
            pending.resize(depth - 1);
            report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
        }
    }
}

// Lists the folder stored in `slot` and, when it could be listed, puts it on
// the stack. An entry of it that could not be told apart is told here, once.
void Module1::enterFolder(const std::u16string& path, int slot, std::vector<PendingFolder>& pending)
{
    SubfolderList list;
    try {
        const auto fileSystem = services_.platform.createFileSystemObject();
        list = fileSystem->getFolder(path)->subfolders();
        pending.push_back({path, std::move(list.names)});
    } catch (...) {
        const ScriptError error = currentFailure();
        unlistedByWalk_.set(std::size_t(slot));
        if (slot == 0)
            favoritesUnreadable_ = true;
        report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
        return;
    }
    for (const ScriptError& entryFailure : list.entryFailures)
        report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &entryFailure);
}

} // namespace markroll
