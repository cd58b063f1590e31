#pragma once

#include <QUrl>
#include <QtGlobal>
#include <optional>

namespace markroll {

// The window system's handle of the window that owns a dialog.
using WindowHandle = quintptr;

// The folder-picker dialog: the chosen location, or nothing when the user
// cancelled. A picker that cannot be used throws ScriptError.
class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    virtual std::optional<QUrl> browseForFolder(WindowHandle owner, const QString& title) = 0;
};

} // namespace markroll
