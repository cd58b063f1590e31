#include "FolderTable.h"

#include "ScriptError.h"

namespace markroll {

void FolderSlots::checkIndex(int index)
{
    if (index < 0 || index >= Capacity)
        throw ScriptError(SubscriptOutOfRange, QStringLiteral("folder table index %1").arg(index));
}

void FolderSlots::clear()
{
    slots_.fill(std::nullopt);
}

void FolderSlots::store(int index, const QString& path)
{
    checkIndex(index);
    slots_[size_t(index)] = path;
}

bool FolderSlots::isEmpty(int index) const
{
    checkIndex(index);
    return !slots_[size_t(index)].has_value();
}

const QString& FolderSlots::at(int index) const
{
    checkIndex(index);
    if (!slots_[size_t(index)])
        throw ScriptError(InvalidCall, QStringLiteral("empty folder table slot %1").arg(index));
    return *slots_[size_t(index)];
}

} // namespace markroll
