#include "generator/FolderList.h"

#include "platform/Failure.h"

namespace markroll {

void FolderList::clear(bool beyondPage)
{
    folders_.clear();
    beyondPage_ = beyondPage;
}

Failure FolderList::fullFailure()
{
    return Failure(FailureKind::FolderListFull, {},
                   "more than " + std::to_string(Capacity - 1) +
                       " folders lie below the Favorites folder; the rest were left out");
}

void FolderList::add(std::u16string path, std::size_t depth, bool inBookmarks)
{
    if (folders_.size() == Capacity && !beyondPage_)
        throw fullFailure();
    folders_.push_back({std::move(path), depth, inBookmarks});
}

} // namespace markroll
