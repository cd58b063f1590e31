#include "HostPath.h"
#include "Messages.h"
#include "Module1.h"
#include "Platform.h"
#include "ScriptError.h"

namespace markroll {

// Depth first, each folder stored before the folders below it. A failure ends
// only this folder's call; its parent goes on with its next sub-folder.
void Module1::CollectFolders(const std::u16string& path)
{
    try {
        const auto fileSystem = services_.platform.createFileSystemObject();
        const auto folder = fileSystem->getFolder(path);
        for (const std::u16string& name : folder->subfolderNames()) {
            std::u16string child = joinPath(path, name);
            state_.FolderList.store(state_.FolderCount, child);
            ++state_.FolderCount;
            CollectFolders(child);
        }
    } catch (const ScriptError& error) {
        report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
    }
}

} // namespace markroll
