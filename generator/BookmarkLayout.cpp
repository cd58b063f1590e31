#include "generator/BookmarkLayout.h"

#include "generator/FolderList.h"
#include "text/ExplorerOrder.h"
#include "text/UpperCase.h"

#include <algorithm>
#include <array>

namespace markroll {

bool isToolbarName(std::u16string_view name)
{
    static constexpr std::array<std::u16string_view, 2> toolbarNames{u"LINKS", u"リンク"};
    return std::any_of(toolbarNames.begin(), toolbarNames.end(), [name](std::u16string_view toolbarName) {
        return toolbarName.size() == name.size() &&
               std::equal(name.begin(), name.end(), toolbarName.begin(),
                          [](char16_t unit, char16_t upper) { return toUpper(unit) == upper; });
    });
}

// The list holds each folder before the folders below it, with its depth: a
// folder's parent is the last folder before it one level up.
BookmarkLayout layOutBookmarks(const FolderList& folders, const std::vector<std::u16string>& shownNames)
{
    BookmarkLayout layout;
    layout.subfolders.resize(folders.size());
    std::vector<std::size_t> openFolders{0};
    for (std::size_t index = 1; index < folders.size(); ++index) {
        if (!folders.inBookmarks(index))
            continue;
        openFolders.resize(std::min(openFolders.size(), folders.depth(index)));
        layout.subfolders[openFolders.back()].push_back(index);
        openFolders.push_back(index);
    }
    const auto inExplorerOrder = [&shownNames](std::size_t a, std::size_t b) {
        return explorerOrderLess(shownNames[a], shownNames[b]);
    };
    for (std::vector<std::size_t>& subfolders : layout.subfolders)
        std::stable_sort(subfolders.begin(), subfolders.end(), inExplorerOrder);
    std::vector<std::size_t>& top = layout.subfolders[0];
    const auto toolbar = std::find_if(top.begin(), top.end(),
                                      [&shownNames](std::size_t index) { return isToolbarName(shownNames[index]); });
    if (toolbar != top.end()) {
        layout.toolbar = *toolbar;
        top.erase(toolbar);
    }
    return layout;
}

} // namespace markroll
