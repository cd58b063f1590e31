#pragma once

#include "window/FolderPicker.h"

namespace markroll {

// Qt's own directory dialog, owned by the window whose handle is given. A
// pick that is no local folder (smb: and the like) comes back empty.
class QtFolderPicker : public FolderPicker {
public:
    std::optional<std::u16string> browseForFolder(WindowHandle owner, std::u16string_view title) override;
};

} // namespace markroll
