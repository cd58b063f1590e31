#pragma once

#include "ScriptShell.h"

namespace markroll {

// Reads Internet Shortcut files ("*.url") from the host's file system, never
// writing them.
class InternetShortcutReader : public ScriptShell {
public:
    std::unique_ptr<Shortcut> createShortcut(std::u16string_view path) override;
};

} // namespace markroll
