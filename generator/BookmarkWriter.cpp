#include "generator/BookmarkWriter.h"

#include "generator/BookmarkFormat.h"
#include "generator/FolderList.h"
#include "generator/Messages.h"
#include "generator/RunReport.h"
#include "generator/ShortcutUrl.h"
#include "platform/Failure.h"
#include "platform/Host.h"
#include "text/Unicode.h"

#include <utility>

namespace markroll {

BookmarkWriter::BookmarkWriter(Host& host, RunReport& report) : host_(host), report_(report) {}

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

// After the first failed write the file can never be whole: it is dropped.
void BookmarkWriter::write(std::u16string_view line)
{
    if (!file_)
        return;
    try {
        encoded_.clear();
        unicode::appendUtf8(encoded_, line);
        encoded_.push_back('\n');
        file_->write(encoded_);
    } catch (...) {
        const Failure failure = currentFailure();
        file_.reset();
        report_.failure(messages::ErrorOccurred, failure);
    }
}

void BookmarkWriter::enterFolder(const FolderList& folders, std::size_t index)
{
    // A dropped file asks no more times of the disk.
    skipping_ = !file_ || !folders.inBookmarks(index);
    if (skipping_)
        return;
    const std::size_t depth = folders.depth(index);
    for (; openFolders_ > depth; --openFolders_)
        write(bookmarks::listClosingLine(openFolders_));
    const std::u16string& path = folders[index];
    bookmarks::folderOpeningInto(line_, depth + 1, host_.readableText(bookmarks::folderNameOf(path, host_.separator())),
                                 host_.timesOf(path));
    write(line_);
    openFolders_ = depth + 1;
}

void BookmarkWriter::addLink(const ListedEntry& shortcut, std::u16string_view shortcutPath, std::u16string_view url)
{
    // A name as the page shows it: without its ".url".
    const std::u16string_view fileName = shortcut.name;
    if (skipping_ || !file_ || fileName.size() < 4)
        return;
    const std::u16string_view name = fileName.substr(0, fileName.size() - 4);
    bookmarks::linkLineInto(line_, openFolders_ + 1, url, host_.readableText(name), host_.timesOf(shortcut, shortcutPath));
    write(line_);
}

void BookmarkWriter::writeLinksOf(const std::u16string& folderPath, bool unlistedByWalk)
{
    if (skipping_ || !file_)
        return;
    try {
        ListedEntry current;
        try {
            current = host_.listShortcuts(folderPath);
        } catch (...) {
            if (unlistedByWalk)
                return;
            throw;
        }
        readLinks(folderPath, current);
    } catch (...) {
        // A listing that cannot go on on the shortcut's account ends quietly.
        const Failure failure = currentFailure();
        if (!failure.isNotice())
            report_.failure(messages::FileOutputFailed, failure, messages::WarningTitle);
    }
}

void BookmarkWriter::readLinks(const std::u16string& folderPath, ListedEntry& current)
{
    std::u16string shortcutPath = host_.joinPath(folderPath, u"");
    const std::size_t folderPart = shortcutPath.size();
    while (!current.empty()) {
        shortcutPath.resize(folderPart);
        shortcutPath.append(current.name);
        if (const auto url = urlOf(current, shortcutPath))
            addLink(current, shortcutPath, *url);
        host_.nextShortcut(current);
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

bool BookmarkWriter::finish()
{
    for (; openFolders_ > 0; --openFolders_)
        write(bookmarks::listClosingLine(openFolders_));
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

} // namespace markroll
