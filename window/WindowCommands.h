#pragma once

#include "generator/LinkPageRun.h"
#include "generator/MessageBoxes.h"
#include "window/FolderPicker.h"

#include <string>

namespace markroll {

class Host;

// What a front end offers the window's commands: its two path boxes, its
// handle and its mouse pointer.
class WindowControls {
public:
    virtual ~WindowControls() = default;
    virtual std::u16string favoriteText() const = 0;
    virtual std::u16string outputText() const = 0;
    virtual void setFavoriteText(const std::u16string& text) = 0;
    virtual void setOutputText(const std::u16string& text) = 0;
    virtual WindowHandle handle() const = 0;
    // The hourglass over the whole window while a run goes on, or the default pointer.
    virtual void setBusyPointer(bool busy) = 0;
};

struct WindowServices {
    MessageBoxes& boxes;
    FolderPicker& picker;
    Host& host;
};

// The three buttons' commands, the same for every front end, which only
// draws the controls and forwards the clicks here.
class WindowCommands {
public:
    WindowCommands(WindowServices services, WindowControls& controls);

    // Cmd_Do: refuses blank boxes, otherwise one generation run under the hourglass.
    void generate();
    // Command2 fills the Favorites box, Command1 the output box.
    void browseForFavorites();
    void browseForOutput();
private:
    // The folder picker's path, or empty when there is nothing to fill in.
    std::u16string chosenFolder();

    WindowServices services_;
    WindowControls& controls_;
    LinkPageRun run_;
};

} // namespace markroll
