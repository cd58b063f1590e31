#include "FolderTable.h"

#include "ScriptError.h"

namespace markroll {

void FolderSlots::checkIndex(int index)
{
    if (index >= Capacity)
        throw ScriptError(SubscriptOutOfRange, "more than " + std::to_string(Capacity - 1) +
                                                   " folders lie below the Favorites folder; the rest were left out");
    if (index < 0)
        throw ScriptError(SubscriptOutOfRange, "folder table index " + std::to_string(index));
}

void FolderSlots::clear()
{
    slots_.fill(std::nullopt);
}

void FolderSlots::store(int index, std::u16string path)
{
    checkIndex(index);
    slots_[std::size_t(index)] = std::move(path);
}

bool FolderSlots::isEmpty(int index) const
{
    checkIndex(index);
    return !slots_[std::size_t(index)].has_value();
}

const std::u16string& FolderSlots::at(int index) const
{
    checkIndex(index);
    if (!slots_[std::size_t(index)])
        throw ScriptError(InvalidCall, "empty folder table slot " + std::to_string(index));
    return *slots_[std::size_t(index)];
}

} // namespace markroll
