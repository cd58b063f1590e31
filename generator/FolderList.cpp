#include "generator/FolderList.h"

#include "platform/Failure.h"

namespace markroll {

void FolderList::clear()
{
    paths_.clear();
    unlisted_.reset();
}

void FolderList::add(std::u16string path)
{
    if (paths_.size() == Capacity)
        throw Failure(FailureKind::FolderListFull, {},
                      "more than " + std::to_string(Capacity - 1) +
                          " folders lie below the Favorites folder; the rest were left out");
    paths_.push_back(std::move(path));
}

} // namespace markroll
