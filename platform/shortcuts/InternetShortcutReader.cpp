#include "InternetShortcutReader.h"

#include "InternetShortcut.h"
#include "Failure.h"
#include "ShortcutFileRead.h"

#include <optional>

namespace markroll {
namespace {

class InternetShortcutFile : public Shortcut {
public:
    explicit InternetShortcutFile(std::optional<std::u16string> target) : target_(std::move(target)) {}

    const std::u16string& targetPath() override
    {
        if (!target_)
            throw Failure(FailureKind::UnreadableShortcut, {}, "the shortcut has no URL");
        return *target_;
    }

private:
    std::optional<std::u16string> target_;
};

} // namespace

std::unique_ptr<Shortcut> InternetShortcutReader::createShortcut(const ListedEntry& entry, std::u16string_view path)
{
    const ShortcutFileRead read = readShortcutFile(entry, MaxShortcutFileSize, bytes_, name_);
    if (read.waitedForDisk && entry.folder)
        entry.folder->noteColdRead();
    if (read.failsTheRun())
        raiseSystemFailure(read.error(), path);
    if (read.outcome != ShortcutFileRead::Outcome::Read)
        throw Failure(FailureKind::UnreadableShortcut, path, read.reason(), read.error());
    return std::make_unique<InternetShortcutFile>(internetShortcutTarget(std::string_view(bytes_.data(), read.length)));
}

} // namespace markroll
