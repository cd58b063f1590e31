#include "InternetShortcutReader.h"

#include "HostPath.h"
#include "InternetShortcut.h"
#include "LocalDirectoryListing.h"
#include "ScriptError.h"
#include "ShortcutFileRead.h"

#include <optional>

#ifdef _WIN32
#include <filesystem>
#include <fstream>
#endif

namespace markroll {
namespace {

class InternetShortcutFile : public Shortcut {
public:
    explicit InternetShortcutFile(std::optional<std::u16string> target) : target_(std::move(target)) {}

    std::u16string targetPath() override
    {
        if (!target_)
            throw ScriptError(InvalidCall, "the shortcut has no URL");
        return *target_;
    }

private:
    std::optional<std::u16string> target_;
};

} // namespace

std::optional<std::u16string_view> InternetShortcutReader::nameInListedFolder(std::u16string_view path) const
{
    if (!listing_ || listing_->folderDescriptor() < 0)
        return std::nullopt;
    const std::u16string& folder = listing_->folder();
    if (path.size() <= folder.size() + 1 || !path.starts_with(folder) || path[folder.size()] != hostSeparator())
        return std::nullopt;
    const std::u16string_view name = path.substr(folder.size() + 1);
    if (name.find(hostSeparator()) != std::u16string_view::npos)
        return std::nullopt;
    return name;
}

#ifdef _WIN32
// Only an ordinary file is opened: a device could block or never end.
std::optional<std::u16string> InternetShortcutReader::readTarget(std::u16string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(toFsPath(path), error))
        throw ScriptError(InvalidCall, path, "not an ordinary file");
    std::ifstream file(toFsPath(path), std::ios::binary);
    if (!file)
        throw ScriptError(InvalidCall, path, "cannot be opened");
    bytes_.assign(MaxShortcutFileSize + 1, '\0');
    file.read(bytes_.data(), std::streamsize(bytes_.size()));
    if (file.bad() || std::size_t(file.gcount()) > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "cannot be read, or is too large for a shortcut");
    bytes_.resize(std::size_t(file.gcount()));
    return internetShortcutTarget(bytes_);
}
#else
// A file of the listed folder is opened relative to that folder, which spares
// the OS the walk down the path.
std::optional<std::u16string> InternetShortcutReader::readTarget(std::u16string_view path)
{
    const auto name = nameInListedFolder(path);
    toHostBytes(name ? *name : path, name_);
    const ShortcutFileRead read =
        readShortcutFile(name ? listing_->folderDescriptor() : -1, name_.c_str(), MaxShortcutFileSize, bytes_);
    if (read.waitedForDisk && listing_)
        listing_->coldReadSeen();
    if (read.hitALimit())
        raiseOsError(read.osError, FileNotFound, path);
    if (read.outcome != ShortcutFileRead::Outcome::Read)
        throw ScriptError(InvalidCall, path, read.reason());
    return internetShortcutTarget(bytes_);
}
#endif

std::unique_ptr<Shortcut> InternetShortcutReader::createShortcut(std::u16string_view path)
{
    return std::make_unique<InternetShortcutFile>(readTarget(path));
}

} // namespace markroll
