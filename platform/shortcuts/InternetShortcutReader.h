#pragma once

#include "ScriptShell.h"

#include <string>

namespace markroll {

// Reads Internet Shortcut files ("*.url") from the host's file system, never
// writing them: each listed entry is opened in its own folder.
class InternetShortcutReader : public ScriptShell {
public:
    std::unique_ptr<Shortcut> createShortcut(const ListedEntry& entry, std::u16string_view path) override;

private:
    // Reused from file to file.
    std::string name_;
    std::string bytes_;
};

} // namespace markroll
