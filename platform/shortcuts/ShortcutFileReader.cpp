#include "platform/shortcuts/ShortcutFileReader.h"

#include "platform/Failure.h"
#include "platform/shortcuts/ShortcutFileRead.h"

namespace markroll {

std::string_view ShortcutFileReader::read(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath)
{
    const ShortcutFileRead read = readShortcutFile(entry, limit, bytes_);
    waitedForDisk_ = read.waitedForDisk;
    if (read.failsTheRun())
        raiseSystemFailure(read.error(), shownPath);
    if (read.outcome != ShortcutFileRead::Outcome::Read)
        throw Failure(FailureKind::UnreadableShortcut, shownPath, read.reason(), read.error());
    return std::string_view(bytes_.data(), read.length);
}

} // namespace markroll
