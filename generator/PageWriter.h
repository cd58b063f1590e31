#pragma once

#include <functional>
#include <memory>
#include <string>

namespace markroll {

class BookmarkWriter;
class FolderList;
class Host;
class RunReport;
class OutputFile;

// Writes "ALL_Favorites_Link.htm" into the output folder: the head, one
// section per folder of the list, in order, and the foot. The page is
// written aside and put in place when it ends, also when a failure cut it
// short (it then holds every line before the failure); the failure is told
// once, here. The bookmarks, when there are any, are written along: each
// folder of the page with its links, then the folders it has no room for.
class PageWriter {
public:
    PageWriter(Host& host, RunReport& report, const std::function<void(int done, int total)>& onSection,
               BookmarkWriter* bookmarks = nullptr)
        : host_(host), report_(report), onSection_(onSection), bookmarks_(bookmarks)
    {
    }

    // True when the page was written to its end and put in place.
    bool writeLinkPage(const std::u16string& outputFolder, const FolderList& folders);

private:
    void writeWholePage(OutputFile& page, const FolderList& folders);
    void writeFoldersBeyondPage(const FolderList& folders);

    Host& host_;
    RunReport& report_;
    const std::function<void(int done, int total)>& onSection_;
    BookmarkWriter* bookmarks_;
};

} // namespace markroll
