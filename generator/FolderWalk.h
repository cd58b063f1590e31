#pragma once

#include "generator/FolderList.h"
#include "platform/Host.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

class Host;
class RunReport;

// Fills the folder list with every folder below the Favorites folder, depth
// first, each folder before the folders below it. A failure ends only the
// folder it happened in, and is told there; the walk goes on with the next
// sub-folder of its parent. The folders still being gone through are kept on
// a stack of our own, so a deep tree needs no deep call stack. A list that
// keeps every folder is told of the page's full table exactly as one that
// stops there, and the walk goes on. Such a list holds each real folder once
// for the bookmark file, where the walk first meets it; beyond the page's
// room a folder met again through a link is not entered at all, so folders
// that link to one another cannot multiply the list.
class FolderWalk {
public:
    FolderWalk(Host& host, RunReport& report) : host_(host), report_(report) {}

    // `folders` holds the Favorites folder alone when called. False when the
    // Favorites folder itself could not be listed: there is no tree.
    bool collectFolders(FolderList& folders);

private:
    struct PendingFolder;
    void enterFolder(FolderList& folders, std::size_t index, std::vector<PendingFolder>& pending);
    void takeNextSubfolder(FolderList& folders, std::vector<PendingFolder>& pending);
    void takeIntoFullList(FolderList& folders, std::u16string child, const std::vector<PendingFolder>& pending);
    void tellPageFull(const std::vector<PendingFolder>& pending);
    bool metFirstTime(std::u16string_view folder);

    Host& host_;
    RunReport& report_;
    std::set<FileIdentity> bookmarked_;
    bool pageFullTold_ = false;
};

} // namespace markroll
