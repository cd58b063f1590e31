#pragma once

#include "generator/SetAsideLinks.h"
#include "platform/Host.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

class OutputFile;
class FolderList;
class Host;
class RunReport;
struct BookmarkLayout;

// Writes the run's tree as a bookmark file, as Windows showed the Favorites
// (BookmarkLayout.h): in each folder its sub-folders, then its links, each in
// Explorer order. The links come along the page's walk, the page's links as
// the section writer reads them and, for folders the page has no room for,
// read here; they are set aside and the file is written at finish(), when
// every folder's dates are known: the earliest addition and the latest change
// of all it holds. A shortcut that cannot be read is left out: it has no URL.
// The file is whole or not there: a failure to write it is told once, the
// file is dropped and the previous one stays. A writer dropped before
// finish() drops its file.
class BookmarkWriter {
public:
    BookmarkWriter(Host& host, RunReport& report);
    ~BookmarkWriter();

    // Makes the file and writes its head; false, and told, when it cannot.
    bool start(std::u16string_view path);
    // The links that follow are the folder's; a folder the list leaves out
    // of the bookmarks is passed over.
    void enterFolder(const FolderList& folders, std::size_t index);
    // A link of the folder entered last.
    void addLink(const ListedEntry& shortcut, std::u16string_view shortcutPath, std::u16string_view url);
    // The links of the folder entered last, for a folder the page does not
    // show. A failure that is not the shortcut's own is told as the page's
    // sections tell theirs, and ends the folder.
    void writeLinksOf(const std::u16string& folderPath, bool unlistedByWalk);
    // Writes the folders and their links and puts the file in place.
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
    // The links the file holds.
    std::size_t linkCount() const { return linkCount_; }

private:
    // The earliest addition and the latest change of what a folder holds.
    struct Dates {
        std::optional<std::int64_t> added;
        std::optional<std::int64_t> modified;
        void take(const FileTimes& times);
        void take(const Dates& dates);
    };

    void write(std::u16string_view line);
    void writeBytes(std::size_t level, std::string_view line);
    void dropAfterFailure();
    std::optional<std::u16string> urlOf(const ListedEntry& entry, std::u16string_view shortcutPath);
    std::vector<std::u16string> shownFolderNames();
    std::vector<Dates> foldersDates(const BookmarkLayout& layout);
    void writeFolders();
    void writeFolderTree(const BookmarkLayout& layout, const std::vector<std::u16string>& names,
                         const std::vector<Dates>& dates, std::size_t top);

    Host& host_;
    RunReport& report_;
    std::unique_ptr<OutputFile> file_;
    const FolderList* folders_ = nullptr;
    std::size_t current_ = 0;
    SetAsideLinks links_;
    // The dates of each folder's own links, by index.
    std::vector<Dates> linkDates_;
    std::size_t leftOut_ = 0;
    std::size_t linkCount_ = 0;
    // The folder entered last is already in the file, reached before by another way.
    bool skipping_ = false;
    // One line serves every link.
    std::u16string line_;
    // A line in UTF-8, then indented and ended by LF; reused from line to line.
    std::string utf8Line_;
    std::string encoded_;
};

} // namespace markroll
