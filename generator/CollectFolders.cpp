#include "HostPath.h"
#include "Messages.h"
#include "Module1.h"
#include "Platform.h"
#include "ScriptError.h"

namespace markroll {
namespace {

// The walk's depth, counted while a call runs.
class DepthCount {
public:
    explicit DepthCount(int& depth) : depth_(depth) { ++depth_; }
    ~DepthCount() { --depth_; }
    DepthCount(const DepthCount&) = delete;
    DepthCount& operator=(const DepthCount&) = delete;

private:
    int& depth_;
};

} // namespace

// Depth first, each folder stored before the folders below it. A failure ends
// only this folder's call; its parent goes on with its next sub-folder. When
// the first call cannot even read the Favorites folder's own list, there is
// no tree to write a page of.
void Module1::CollectFolders(const std::u16string& path)
{
    const bool first = walkDepth_ == 0;
    const DepthCount depth(walkDepth_);
    bool listed = false;
    try {
        const auto fileSystem = services_.platform.createFileSystemObject();
        const auto folder = fileSystem->getFolder(path);
        const std::vector<std::u16string> names = folder->subfolderNames();
        listed = true;
        for (const std::u16string& name : names) {
            std::u16string child = joinPath(path, name);
            state_.FolderList.store(state_.FolderCount, child);
            ++state_.FolderCount;
            CollectFolders(child);
        }
    } catch (...) {
        const ScriptError error = currentFailure();
        if (first && !listed)
            favoritesUnreadable_ = true;
        report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
    }
}

} // namespace markroll
