#include "generator/BookmarkWriter.h"

#include "generator/BookmarkFormat.h"
#include "generator/BookmarkLayout.h"
#include "generator/FolderList.h"
#include "generator/FolderShortcuts.h"
#include "generator/Messages.h"
#include "generator/PageFormat.h"
#include "generator/RunReport.h"
#include "generator/ShortcutUrl.h"
#include "platform/Failure.h"
#include "platform/Host.h"
#include "text/Unicode.h"

#include <algorithm>
#include <utility>

namespace markroll {
namespace {

template <typename Pick>
void takeInto(std::optional<std::int64_t>& held, std::optional<std::int64_t> time, Pick pick)
{
    if (time)
        held = held ? pick(*held, *time) : *time;
}

} // namespace

void BookmarkWriter::Dates::take(const FileTimes& times) { take(Dates{bookmarks::addedTime(times), times.modified}); }

void BookmarkWriter::Dates::take(const Dates& dates)
{
    takeInto(added, dates.added, [](auto a, auto b) { return std::min(a, b); });
    takeInto(modified, dates.modified, [](auto a, auto b) { return std::max(a, b); });
}

BookmarkWriter::BookmarkWriter(Host& host, RunReport& report) : host_(host), report_(report), links_(host) {}

BookmarkWriter::~BookmarkWriter() = default;

bool BookmarkWriter::start(std::u16string_view path)
{
    try {
        file_ = host_.createOutputFile(path, OutputFileKind::BookmarkFile);
    } catch (...) {
        report_.failure(messages::ErrorOccurred, currentFailure());
        return false;
    }
    write(bookmarks::headBlock());
    return file_ != nullptr;
}

// After the first failure the file can never be whole: it is dropped.
void BookmarkWriter::dropAfterFailure()
{
    const Failure failure = currentFailure();
    file_.reset();
    report_.failure(messages::ErrorOccurred, failure);
}

void BookmarkWriter::write(std::u16string_view line)
{
    if (!file_)
        return;
    utf8Line_.clear();
    unicode::appendUtf8(utf8Line_, line);
    writeBytes(0, utf8Line_);
}

void BookmarkWriter::writeBytes(std::size_t level, std::string_view line)
{
    if (!file_)
        return;
    try {
        encoded_.assign(4 * level, ' ');
        encoded_.append(line);
        encoded_.push_back('\n');
        file_->write(encoded_);
    } catch (...) {
        dropAfterFailure();
    }
}

void BookmarkWriter::enterFolder(const FolderList& folders, std::size_t index)
{
    folders_ = &folders;
    current_ = index;
    // A dropped file asks no more of the disk.
    skipping_ = !file_ || !folders.inBookmarks(index);
    try {
        links_.setAside();
    } catch (...) {
        dropAfterFailure();
    }
}

void BookmarkWriter::addLink(const ListedEntry& shortcut, std::u16string_view shortcutPath, std::u16string_view url)
{
    if (skipping_ || !file_)
        return;
    // A name as the page shows it: without its ".url".
    const std::u16string name = host_.readableText(page::displayName(shortcut.name));
    const FileTimes times = host_.timesOf(shortcut, shortcutPath);
    bookmarks::linkLineInto(line_, 0, url, name, times);
    utf8Line_.clear();
    unicode::appendUtf8(utf8Line_, line_);
    if (linkDates_.size() <= current_)
        linkDates_.resize(current_ + 1);
    linkDates_[current_].take(times);
    try {
        links_.add(current_, name, utf8Line_);
        ++linkCount_;
    } catch (...) {
        dropAfterFailure();
    }
}

void BookmarkWriter::writeLinksOf(const std::u16string& folderPath, bool unlistedByWalk)
{
    if (skipping_ || !file_)
        return;
    try {
        for (FolderShortcuts shortcuts(host_, folderPath, unlistedByWalk); !shortcuts.atEnd(); shortcuts.next()) {
            if (const auto url = urlOf(shortcuts.current(), shortcuts.path()))
                addLink(shortcuts.current(), shortcuts.path(), *url);
        }
    } catch (...) {
        // A listing that cannot go on on the shortcut's account ends quietly.
        const Failure failure = currentFailure();
        if (!failure.isNotice())
            report_.failure(messages::FileOutputFailed, failure, messages::WarningTitle);
    }
}

// Nothing for a shortcut that cannot be read on its own account.
std::optional<std::u16string> BookmarkWriter::urlOf(const ListedEntry& entry, std::u16string_view shortcutPath)
{
    try {
        return shortcutUrl(host_, entry, shortcutPath);
    } catch (...) {
        const Failure failure = currentFailure();
        if (failure.isNotice()) {
            noteLeftOut();
            return std::nullopt;
        }
        throw failure;
    }
}

// The Favorites folder is named as the OS names it, also when typed as "."
// or "..".
std::vector<std::u16string> BookmarkWriter::shownFolderNames()
{
    std::vector<std::u16string> names(folders_->size());
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (!folders_->inBookmarks(index))
            continue;
        const std::u16string& path = (*folders_)[index];
        std::u16string_view name = bookmarks::folderNameOf(path, host_.separator());
        std::u16string resolved;
        if (index == 0 && (name == u"." || name == u"..")) {
            resolved = host_.resolvedPath(path);
            name = bookmarks::folderNameOf(resolved, host_.separator());
        }
        names[index] = host_.readableText(name);
    }
    return names;
}

// Sub-folders stand after their folder in the list, so going backwards meets
// each before the folder that holds it. The toolbar is not held by the
// Favorites folder in the file, so its dates are not either.
std::vector<BookmarkWriter::Dates> BookmarkWriter::foldersDates(const BookmarkLayout& layout)
{
    std::vector<Dates> dates(folders_->size());
    for (std::size_t index = dates.size(); index-- > 0;) {
        if (!folders_->inBookmarks(index))
            continue;
        dates[index].take(host_.timesOf((*folders_)[index]));
        if (index < linkDates_.size())
            dates[index].take(linkDates_[index]);
        for (const std::size_t subfolder : layout.subfolders[index])
            dates[index].take(dates[subfolder]);
    }
    return dates;
}

bool BookmarkWriter::finish()
{
    if (file_ && folders_) {
        try {
            links_.setAside();
            writeFolders();
        } catch (...) {
            if (file_)
                dropAfterFailure();
        }
    }
    write(bookmarks::listClosingLine(0));
    if (!file_)
        return false;
    try {
        std::exchange(file_, nullptr)->commit();
        return true;
    } catch (...) {
        const Failure failure = currentFailure();
        report_.failure(messages::ErrorOccurred, failure);
        // A file in place whose folder could not be put on the disk stands.
        return failure.kind() == FailureKind::FolderNotFlushed;
    }
}

void BookmarkWriter::writeFolders()
{
    const std::vector<std::u16string> names = shownFolderNames();
    const BookmarkLayout layout = layOutBookmarks(*folders_, names);
    const std::vector<Dates> dates = foldersDates(layout);
    if (layout.toolbar)
        writeFolderTree(layout, names, dates, *layout.toolbar);
    writeFolderTree(layout, names, dates, 0);
}

// Depth first on a stack of our own, so a deep tree needs no deep call
// stack: a folder's heading, its sub-folders, then its links and the end of
// its list.
void BookmarkWriter::writeFolderTree(const BookmarkLayout& layout, const std::vector<std::u16string>& names,
                                     const std::vector<Dates>& dates, std::size_t top)
{
    struct Open {
        std::size_t folder;
        std::size_t nextSubfolder;
    };
    std::vector<Open> open;
    const auto openFolder = [&](std::size_t folder) {
        const Dates& folderDates = dates[folder];
        bookmarks::folderOpeningInto(line_, open.size() + 1, names[folder],
                                     FileTimes{folderDates.added, folderDates.modified}, folder == layout.toolbar);
        write(line_);
        open.push_back({folder, 0});
    };
    openFolder(top);
    while (!open.empty()) {
        Open& folder = open.back();
        const std::vector<std::size_t>& subfolders = layout.subfolders[folder.folder];
        if (folder.nextSubfolder < subfolders.size()) {
            openFolder(subfolders[folder.nextSubfolder++]);
            continue;
        }
        const std::size_t level = open.size();
        links_.forEachOf(folder.folder, [&](std::string_view line) { writeBytes(level + 1, line); });
        write(bookmarks::listClosingLine(level));
        open.pop_back();
    }
}

} // namespace markroll
