#pragma once

#include "FolderPicker.h"

namespace markroll {

// The shell's own folder picker, reached as a script would: the automation
// object "Shell.Application", late bound by name, its BrowseForFolder with the
// owner window, the title and options 0, and the chosen folder's
// Items().Item().Path. Needs COM initialised on the calling thread.
class ShellFolderPicker : public FolderPicker {
public:
    std::optional<std::u16string> browseForFolder(WindowHandle owner, std::u16string_view title) override;
};

} // namespace markroll
