#pragma once

#include "ListedEntry.h"
#include "Shortcut.h"

#include <memory>
#include <string_view>

namespace markroll {

// Opens shortcut files, never writing them.
class ScriptShell {
public:
    virtual ~ScriptShell() = default;
    // Reads the shortcut file `entry`, shown as `path` (the folder's path and
    // the name, as the page and the messages show it); error 5 when it cannot
    // be read, another number when the OS lacks what reading takes.
    virtual std::unique_ptr<Shortcut> createShortcut(const ListedEntry& entry, std::u16string_view path) = 0;
};

// The shortcut file at `path`, read on its own, not from a listing.
inline std::unique_ptr<Shortcut> createShortcutAt(ScriptShell& shell, std::u16string_view path)
{
    return shell.createShortcut(ListedEntry{std::u16string(path), nullptr, {}}, path);
}

} // namespace markroll
