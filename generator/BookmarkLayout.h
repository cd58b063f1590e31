#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

class FolderList;

// Where each folder of the run stands in the bookmark file, as Windows showed
// the Favorites: in each folder its sub-folders in Explorer order by the name
// shown. A folder named "Links" or "リンク" (letter case aside) directly in the
// Favorites folder is the browser's toolbar: written at the top, before the
// Favorites folder and not inside it; when there are several, the first in
// that order. Folders the list leaves out of the bookmarks are nowhere.
struct BookmarkLayout {
    // Folder 0, the Favorites folder, is the other.
    std::optional<std::size_t> toolbar;
    // By the folder's index in the list.
    std::vector<std::vector<std::size_t>> subfolders;
};

// `shownNames` are the folders' names as shown, by index.
BookmarkLayout layOutBookmarks(const FolderList& folders, const std::vector<std::u16string>& shownNames);
bool isToolbarName(std::u16string_view name);

} // namespace markroll
