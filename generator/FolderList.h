#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace markroll {

class Failure;

// The folders of one run, in walk order: the Favorites folder first, then
// every folder below it, each before the folders below it, with its depth
// below the Favorites folder. The page has room for the first 1000; a run
// that also writes bookmarks keeps every folder.
class FolderList {
public:
    static constexpr std::size_t Capacity = 1000;

    // Empty, keeping every folder or only as many as the page has room for.
    void clear(bool beyondPage = false);
    // Raises the full-table failure once Capacity folders are held, unless
    // every folder is kept; the folder is then left out.
    void add(std::u16string path, std::size_t depth = 0, bool inBookmarks = true);
    // The failure of a folder the page has no room for.
    static Failure fullFailure();
    bool keepsBeyondPage() const { return beyondPage_; }

    std::size_t size() const { return folders_.size(); }
    // The folders the page shows: the first Capacity.
    std::size_t pageSize() const { return size() < Capacity ? size() : Capacity; }
    const std::u16string& operator[](std::size_t index) const { return folders_.at(index).path; }
    std::size_t depth(std::size_t index) const { return folders_.at(index).depth; }

    // A folder reached again through a link, or one inside it, is written
    // once in the bookmark file: where the walk first met it.
    bool inBookmarks(std::size_t index) const { return folders_.at(index).inBookmarks; }

    // The walk could not list this folder, and has told of it.
    void markUnlisted(std::size_t index) { folders_.at(index).unlisted = true; }
    bool unlisted(std::size_t index) const { return index < size() && folders_[index].unlisted; }

private:
    struct Folder {
        std::u16string path;
        std::size_t depth;
        bool inBookmarks;
        bool unlisted = false;
    };
    std::vector<Folder> folders_;
    bool beyondPage_ = false;
};

} // namespace markroll
