#include "platform/files/ShortcutListing.h"


namespace markroll {

ListedEntry ShortcutListing::start(std::u16string_view folder)
{
    prefetcher_.stop();
    folder_.reset();
    names_.reset();
    position_ = 0;
    list(folder);
    ListedEntry first;
    next(first);
    return first;
}

void ShortcutListing::list(std::u16string_view folderPath)
{
    auto names = std::make_shared<ListedNames>();
    auto folder = openListedFolder(folderPath);
    addShortcutFiles(*folder, folderPath, *names);
    folder_ = std::move(folder);
    names->sort();
    names_.emplace(names);
    if (!names->empty())
        prefetcher_.start(folder_, std::move(names));
}

void ShortcutListing::next(ListedEntry& entry)
{
    if (!names_ || !names_->next(entry.name, entry.listedName)) {
        entry.name.clear();
        entry.listedName.clear();
        entry.folder.reset();
        return;
    }
    prefetcher_.reached(position_++);
    if (entry.folder != folder_)
        entry.folder = folder_;
}

void ShortcutListing::noteColdRead() noexcept
{
    try {
        prefetcher_.noteColdRead();
    } catch (...) {
        // Help missed, no more: a lock that cannot be taken warms nothing.
    }
}

} // namespace markroll
