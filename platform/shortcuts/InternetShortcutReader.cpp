#include "InternetShortcutReader.h"

#include "InternetShortcut.h"
#include "ScriptError.h"
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
            throw ScriptError(InvalidCall, "the shortcut has no URL");
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
        throw ScriptError(read.errorNumber(), path, read.reason());
    if (read.outcome != ShortcutFileRead::Outcome::Read)
        throw ScriptError(InvalidCall, path, read.reason());
    return std::make_unique<InternetShortcutFile>(internetShortcutTarget(std::string_view(bytes_.data(), read.length)));
}

} // namespace markroll
