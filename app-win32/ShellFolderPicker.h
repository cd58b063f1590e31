#pragma once

#include "window/FolderPicker.h"

namespace markroll {

// The shell's own folder picker (SHBrowseForFolderW) with the owner window,
// the title and no options, and the chosen folder's parsing name: its path
// for a folder on a drive, "::{…}" for a virtual folder such as the Control
// Panel. Needs COM initialised on the calling thread.
class ShellFolderPicker : public FolderPicker {
public:
    std::optional<std::u16string> browseForFolder(WindowHandle owner, std::u16string_view title) override;
};

} // namespace markroll
