#pragma once

#include <functional>
#include <memory>
#include <string>

namespace markroll {

class FolderList;
class Host;
class RunReport;
class PageFile;

// Writes "ALL_Favorites_Link.htm" into the output folder: the head, one
// section per folder of the list, in order, and the foot. The page is
// written aside and put in place when it ends, also when a failure cut it
// short (it then holds every line before the failure); the failure is told
// once, here.
class PageWriter {
public:
    PageWriter(Host& host, RunReport& report, const std::function<void(int done, int total)>& onSection)
        : host_(host), report_(report), onSection_(onSection)
    {
    }

    // True when the page was written to its end and put in place.
    bool writeLinkPage(const std::u16string& outputFolder, const FolderList& folders);

private:
    void writeWholePage(PageFile& page, const FolderList& folders);

    Host& host_;
    RunReport& report_;
    const std::function<void(int done, int total)>& onSection_;
};

} // namespace markroll
