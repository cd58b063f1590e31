#include "generator/FolderShortcuts.h"

namespace markroll {

FolderShortcuts::FolderShortcuts(Host& host, const std::u16string& folderPath, bool unlistedByWalk)
    : host_(host), path_(host.joinPath(folderPath, u"")), folderPart_(path_.size())
{
    try {
        current_ = host_.listShortcuts(folderPath);
    } catch (...) {
        if (!unlistedByWalk)
            throw;
    }
    takePath();
}

void FolderShortcuts::next()
{
    host_.nextShortcut(current_);
    takePath();
}

void FolderShortcuts::takePath()
{
    path_.resize(folderPart_);
    path_.append(current_.name);
}

} // namespace markroll
