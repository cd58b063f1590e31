#pragma once

#include "Shortcut.h"

#include <memory>
#include <string_view>

namespace markroll {

// Opens shortcut files, never writing them.
class ScriptShell {
public:
    virtual ~ScriptShell() = default;
    // Reads the shortcut file at `path`; error 5 when it cannot be read.
    virtual std::unique_ptr<Shortcut> createShortcut(std::u16string_view path) = 0;
};

} // namespace markroll
