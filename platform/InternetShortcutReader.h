#pragma once

#include "ScriptShell.h"

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
    LocalDirectoryListing* listing_;
};

} // namespace markroll
