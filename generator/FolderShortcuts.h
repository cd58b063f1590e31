#pragma once

#include "platform/Host.h"

#include <string>

namespace markroll {

// One folder's shortcuts as the host lists them, in name order, each with
// its path as messages show it; the room of both is kept from one to the next.
class FolderShortcuts {
public:
    // Raises when the folder cannot be listed, unless the walk could not list
    // it either and has told of it (`unlistedByWalk`): then it has none.
    FolderShortcuts(Host& host, const std::u16string& folderPath, bool unlistedByWalk);

    bool atEnd() const { return current_.empty(); }
    const ListedEntry& current() const { return current_; }
    const std::u16string& path() const { return path_; }
    void next();

private:
    void takePath();

    Host& host_;
    ListedEntry current_;
    std::u16string path_;
    std::size_t folderPart_;
};

} // namespace markroll
