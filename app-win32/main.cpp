#include "app-win32/Win32MainWindow.h"
#include "app-win32/ShellFolderPicker.h"
#include "app-win32/Win32MessageBoxes.h"
#include "platform/LocalHost.h"

#include <commctrl.h>
#include <objbase.h>
#include <windows.h>

namespace {

// The shell's folder picker is a COM object: the window's thread is a
// single-threaded apartment for as long as the program runs.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

} // namespace

// The window is the program: it reads no command line and saves nothing.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const ComApartment apartment;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    markroll::LocalHost host;
    markroll::Win32MessageBoxes boxes;
    markroll::ShellFolderPicker picker;
    markroll::Win32MainWindow window({boxes, picker, host});
    window.create(instance);
    boxes.setOwner(window.window());
    window.show(show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab move the focus as in a dialog.
        if (IsDialogMessageW(window.window(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
