#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markroll {

// The window system's handle of the window that owns a dialog.
using WindowHandle = std::uintptr_t;

// The folder-picker dialog: the chosen folder's path as the host writes it
// (empty for a pick that is no folder on a drive), or nothing when the user
// cancelled. A picker that cannot be used throws Failure.
class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    virtual std::optional<std::u16string> browseForFolder(WindowHandle owner, std::u16string_view title) = 0;
};

} // namespace markroll
