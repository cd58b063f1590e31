#include "Module1.h"

#include "FileServices.h"
#include "HostPath.h"
#include "Messages.h"
#include "MessageBoxes.h"
#include "ScriptError.h"

namespace markroll {

// Depth first, each folder stored before the folders below it. A failure ends
// only this folder's call; its parent goes on with its next sub-folder.
void Module1::CollectFolders(const QString& path)
{
    try {
        const auto fileSystem = services_.files.createFileSystemObject();
        const auto folder = fileSystem->getFolder(path);
        const QStringList names = folder->subfolderNames();
        for (const QString& name : names) {
            const QString child = joinPath(path, name);
            state_.FolderList.store(state_.FolderCount, child);
            ++state_.FolderCount;
            CollectFolders(child);
        }
    } catch (const ScriptError&) {
        report(messages::errorOccurred(), ExclamationMessage);
    }
}

} // namespace markroll
