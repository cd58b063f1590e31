#pragma once

#include "platform/Host.h"

#include <string>
#include <string_view>

namespace markroll {

class BookmarkWriter;
class FolderShortcuts;
class PageLines;
class Host;
class RunReport;

// Writes one folder's section of the page: its opening line, a link line for
// each shortcut in it, in name order, and its closing line. A shortcut that
// cannot be read is told inside the page by a notice line, and the section
// goes on; any other failure is told in a message and ends the section. A
// failure of the notice line itself, or a failed write of the page, is not
// the section's to tell: it passes to the page writer.
class SectionWriter {
public:
    // Each link of the page is also given to `bookmarks`, when there are any.
    SectionWriter(Host& host, RunReport& report, PageLines& page, BookmarkWriter* bookmarks = nullptr)
        : host_(host), report_(report), page_(page), bookmarks_(bookmarks)
    {
    }

    // `unlistedByWalk`: the walk could not list this folder and has told of
    // it, so a failure to list it here is no news and the section is empty.
    void writeFolderSection(const std::u16string& folderPath, bool unlistedByWalk = false);

private:
    enum class StepOutcome { Done, RecoveredWithNotice, SectionEnded };
    template <typename Step>
    StepOutcome sectionStep(std::u16string_view currentName, Step step);
    bool writeLinkLines(FolderShortcuts& shortcuts);

    Host& host_;
    RunReport& report_;
    PageLines& page_;
    BookmarkWriter* bookmarks_;
    // One link line serves every shortcut of a section.
    std::u16string line_;
};

} // namespace markroll
