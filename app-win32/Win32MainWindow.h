#pragma once

#include "window/WindowCommands.h"

#include <array>
#include <string_view>
#include <windows.h>

namespace markroll {

// The program's one window on Windows: the seven controls of the layout at
// their rectangles, scaled to the window's DPI. The commands behind the
// buttons are WindowCommands; this class draws the controls and forwards the
// clicks.
class Win32MainWindow : public WindowControls {
public:
    explicit Win32MainWindow(WindowServices services);
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    // Creates the window, hidden; show() makes it visible with the focus on Cmd_Do.
    void create(HINSTANCE instance);
    void show(int how);

    HWND window() const { return window_; }
    // A control by its name (Cmd_Do, Txt_Favorite, ...); its id is 100 + its
    // place in the tab order.
    HWND control(std::string_view name) const;
    static int controlId(std::string_view name);

    std::u16string favoriteText() const override;
    std::u16string outputText() const override;
    void setFavoriteText(const std::u16string& text) override;
    void setOutputText(const std::u16string& text) override;
    WindowHandle handle() const override;
    void setBusyPointer(bool busy) override;

    WindowCommands& commands() { return commands_; }

    static constexpr const wchar_t* ClassName = L"Frm_Main";

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id);
    void placeControls(UINT dpi);
    std::u16string textOf(std::string_view name) const;

    WindowCommands commands_;
    HWND window_ = nullptr;
    std::array<HWND, 7> controls_{};
    HFONT generateFont_ = nullptr;
    HFONT defaultFont_ = nullptr;
    bool busy_ = false;
    // Closing the window ends the program.
    bool quitOnDestroy_ = true;
};

} // namespace markroll
