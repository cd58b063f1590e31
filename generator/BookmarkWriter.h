#pragma once

#include "platform/Host.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace markroll {

class OutputFile;
class FolderList;
class Host;
class RunReport;

// Writes the run's tree as a bookmark file, as the page is written: each
// folder is entered in walk order, and its links follow, the page's links as
// the section writer reads them and, for folders the page has no room for,
// read here. A shortcut that cannot be read is left out: it has no URL. The
// file is whole or not there: a failure to write it is told once, the file
// is dropped and the previous one stays. A writer dropped before finish()
// drops its file.
class BookmarkWriter {
public:
    BookmarkWriter(Host& host, RunReport& report);
    ~BookmarkWriter();

    // Makes the file and writes its head; false, and told, when it cannot.
    bool start(std::u16string_view path);
    // Ends the lists of the folders before it that it is not inside, and
    // opens its own; a folder the list leaves out of the bookmarks is passed over.
    void enterFolder(const FolderList& folders, std::size_t index);
    // A link of the folder entered last.
    void addLink(const ListedEntry& shortcut, std::u16string_view shortcutPath, std::u16string_view url);
    // The links of the folder entered last, for a folder the page does not
    // show. A failure that is not the shortcut's own is told as the page's
    // sections tell theirs, and ends the folder.
    void writeLinksOf(const std::u16string& folderPath, bool unlistedByWalk);
    // Ends every list and puts the file in place.
    // True when the file was put in place.
    bool finish();
    // A shortcut that could not be read on its own account: it is left out.
    // One in a folder the file leaves out (met again through a link) is
    // counted where the file holds that folder.
    void noteLeftOut()
    {
        if (!skipping_)
            ++leftOut_;
    }
    std::size_t leftOut() const { return leftOut_; }

private:
    void write(std::u16string_view line);
    void readLinks(const std::u16string& folderPath, ListedEntry& current);
    std::optional<std::u16string> urlOf(const ListedEntry& entry, std::u16string_view shortcutPath);

    Host& host_;
    RunReport& report_;
    std::unique_ptr<OutputFile> file_;
    // The lists open inside the outermost one.
    std::size_t openFolders_ = 0;
    std::size_t leftOut_ = 0;
    // The folder entered last is already in the file, reached before by another way.
    bool skipping_ = false;
    // One line serves every link.
    std::u16string line_;
    // The line in UTF-8, ended by LF; reused from line to line.
    std::string encoded_;
};

} // namespace markroll
