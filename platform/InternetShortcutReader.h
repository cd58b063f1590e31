#pragma once

#include "ScriptShell.h"

#include <optional>
#include <string>
#include <string_view>

namespace markroll {

class LocalDirectoryListing;

// Reads Internet Shortcut files ("*.url") from the host's file system, never
// writing them. A file of the folder the listing has open is opened relative
// to that folder, which spares the OS the walk down the whole path.
class InternetShortcutReader : public ScriptShell {
public:
    explicit InternetShortcutReader(LocalDirectoryListing* listing = nullptr) : listing_(listing) {}
    std::unique_ptr<Shortcut> createShortcut(std::u16string_view path) override;

private:
    std::optional<std::u16string> readTarget(std::u16string_view path);
    // The name of `path` when it lies in the folder the listing has open.
    std::optional<std::u16string_view> nameInListedFolder(std::u16string_view path) const;

    LocalDirectoryListing* listing_;
    // Reused from file to file.
    std::string name_;
    std::string bytes_;
};

} // namespace markroll
