#include "platform/shortcuts/ShortcutFileRead.h"

#include "platform/Failure.h"
#include "platform/shortcuts/OpenShortcutFile.h"
#include "platform/shortcuts/UnreadableShortcut.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace markroll {
namespace {

// Room for a shortcut of ordinary size, which is a few hundred bytes.
constexpr std::size_t FirstRoom = 4096;

// Grows `bytes` to `size`; it keeps its size, so no read's room is cleared
// again.
void makeRoom(std::string& bytes, std::size_t size)
{
    if (bytes.size() < size)
        bytes.resize(std::max(size, bytes.capacity()));
}

} // namespace

std::string ShortcutFileRead::reason() const
{
    switch (outcome) {
    case Outcome::Read: return {};
    case Outcome::OpenFailed:
    case Outcome::ReadFailed: return reasonFor(error());
    case Outcome::NotOrdinary: return "not an ordinary file";
    case Outcome::TooLarge: return "too large for a shortcut";
    }
    return {};
}

bool ShortcutFileRead::failsTheRun() const
{
    return (outcome == Outcome::OpenFailed || outcome == Outcome::ReadFailed) && !leavesShortcutUnreadable(osError);
}

std::error_code ShortcutFileRead::error() const { return shortcutReadError(osError); }

namespace {

// The common case on Linux, where the listing has typed the entry as an
// ordinary file already: one read of all the room there is. A read that falls
// short of it has reached the end. Anything else (nothing read, a full room, a
// failure, such as a folder put in the file's place) is left to the read that
// looks at the file first.
bool readInOne(OpenShortcutFile& file, std::string& bytes, ShortcutFileRead& read)
{
    if (!OpenShortcutFile::TypedByListing)
        return false;
    const long long got = file.readAt(bytes.data(), bytes.size(), 0, read.waitedForDisk);
    if (got <= 0 || std::size_t(got) >= bytes.size())
        return false;
    read.length = std::size_t(got);
    return true;
}

// Looks at the file's type and size first: for a file that does not change
// meanwhile, one read.
ShortcutFileRead readChecked(OpenShortcutFile& file, std::size_t limit, std::string& bytes, bool waitedForDisk)
{
    using Outcome = ShortcutFileRead::Outcome;
    ShortcutFileRead read{Outcome::Read, 0, waitedForDisk};
    std::uint64_t size = 0;
    if (!file.ordinarySize(size))
        return {Outcome::NotOrdinary, 0, waitedForDisk};
    if (size > limit)
        return {Outcome::TooLarge, 0, waitedForDisk};
    // A file that grows while it is read is read up to one byte past the
    // limit, so that growth is seen too.
    std::size_t room = std::size_t(size) + 1;
    std::size_t filled = 0;
    while (filled < room && filled <= limit) {
        makeRoom(bytes, room);
        const long long got = file.readAt(bytes.data() + filled, room - filled, filled, read.waitedForDisk);
        if (got < 0 && OpenShortcutFile::interrupted(file.error()))
            continue;
        if (got < 0)
            return {Outcome::ReadFailed, file.error(), read.waitedForDisk};
        if (got == 0)
            break;
        filled += std::size_t(got);
        if (filled == size && filled == std::size_t(got))
            break;
        if (filled == room)
            room = std::min(room * 2, limit + 1);
    }
    if (filled > limit)
        return {Outcome::TooLarge, 0, read.waitedForDisk};
    read.length = filled;
    return read;
}

} // namespace

ShortcutFileRead readShortcutFile(const ListedEntry& entry, std::size_t limit, std::string& bytes)
{
    using Outcome = ShortcutFileRead::Outcome;
    OpenShortcutFile file(entry);
    if (!file.opened())
        return {Outcome::OpenFailed, file.error()};
    makeRoom(bytes, std::min(FirstRoom, limit + 1));
    ShortcutFileRead read;
    if (readInOne(file, bytes, read))
        return read;
    return readChecked(file, limit, bytes, read.waitedForDisk);
}

} // namespace markroll
