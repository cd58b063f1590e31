#pragma once

#include "FolderPicker.h"

namespace markroll {

// Qt's own directory dialog, owned by the window whose handle is given.
class QtFolderPicker : public FolderPicker {
public:
    std::optional<QUrl> browseForFolder(WindowHandle owner, const QString& title) override;
};

} // namespace markroll
