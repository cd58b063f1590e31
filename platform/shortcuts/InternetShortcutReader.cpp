#include "platform/shortcuts/InternetShortcutReader.h"

#include "platform/Failure.h"
#include "platform/shortcuts/InternetShortcut.h"
#include "platform/shortcuts/ShortcutFileRead.h"

namespace markroll {

const std::u16string& InternetShortcutReader::readUrl(const ListedEntry& entry, std::u16string_view shownPath)
{
    const ShortcutFileRead read = readShortcutFile(entry, MaxShortcutFileSize, bytes_, name_);
    waitedForDisk_ = read.waitedForDisk;
    if (read.failsTheRun())
        raiseSystemFailure(read.error(), shownPath);
    if (read.outcome != ShortcutFileRead::Outcome::Read)
        throw Failure(FailureKind::UnreadableShortcut, shownPath, read.reason(), read.error());
    if (!internetShortcutTarget(std::string_view(bytes_.data(), read.length), url_))
        throw Failure(FailureKind::UnreadableShortcut, shownPath, "the shortcut has no URL");
    return url_;
}

const std::u16string& InternetShortcutReader::readUrlAt(std::u16string_view path)
{
    return readUrl(ListedEntry{std::u16string(path), nullptr, {}}, path);
}

} // namespace markroll
