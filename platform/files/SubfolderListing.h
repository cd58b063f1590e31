#pragma once

#include "platform/Host.h"

#include <string_view>

namespace markroll {

// Lists every sub-directory of `path`, hidden ones and links to directories
// included, in name order. A link back to the folder or one of its ancestors
// is left out, so no walk can loop; an entry whose type or target the OS will
// not tell is left out with its failure. Raises when the folder itself cannot
// be listed (or is none). Each system's own, in
// SubfolderListingPosix.cpp and SubfolderListingWindows.cpp.
SubfolderList listSubfolders(std::u16string_view path);

// What both systems' listings share.

// Whether `isFolder` says the entry is one; when the OS would not tell, the
// entry is left out and its failure kept for the walk to tell.
template <typename Question>
bool tellingEntryFailures(SubfolderList& list, Question isFolder)
{
    try {
        return isFolder();
    } catch (const Failure& failure) {
        list.entryFailures.push_back(failure);
        return false;
    }
}

// The listing order of the OS is not the same from run to run.
void inNameOrder(SubfolderList& list);

} // namespace markroll
