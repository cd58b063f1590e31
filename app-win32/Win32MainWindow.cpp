#include "app-win32/Win32MainWindow.h"

#include "platform/windows/WideText.h"
#include "window/MainWindowLayout.h"

namespace markroll {
namespace {

constexpr int FirstControlId = 100;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// A fixed dialog frame, and no taskbar button.
constexpr DWORD WindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;

UINT dpiOf(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window)
        return getDpiForWindow(window);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return UINT(dpi);
}

int scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, int(dpi), 96); }

const wchar_t* classOf(layout::ControlKind kind)
{
    switch (kind) {
    case layout::ControlKind::PushButton: return L"BUTTON";
    case layout::ControlKind::TextBox: return L"EDIT";
    case layout::ControlKind::Label: return L"STATIC";
    }
    return L"STATIC";
}

// Plain push buttons, never BS_DEFPUSHBUTTON: no button is the default one.
DWORD styleOf(layout::ControlKind kind)
{
    switch (kind) {
    case layout::ControlKind::PushButton: return WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    case layout::ControlKind::TextBox: return WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    case layout::ControlKind::Label: return WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    }
    return WS_CHILD;
}

DWORD exStyleOf(layout::ControlKind kind) { return kind == layout::ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0; }

HFONT createGenerateButtonFont(UINT dpi)
{
    const int height = -int(layout::GenerateButtonPoints * dpi / 72.0 + 0.5);
    return CreateFontW(height, 0, 0, 0, layout::GenerateButtonWeight, FALSE, FALSE, FALSE,
                       BYTE(layout::ShiftJisCharacterSet), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, toWide(layout::GenerateButtonFace).c_str());
}

// The window system's own message font at this DPI: no font of the program's.
HFONT createDefaultFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), systemDpi);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

void deleteFont(HFONT& font)
{
    if (font)
        DeleteObject(font);
    font = nullptr;
}

} // namespace

Win32MainWindow::Win32MainWindow(WindowServices services) : commands_(services, *this) {}

Win32MainWindow::~Win32MainWindow()
{
    // Gone with its owner, not closed by the user: the program goes on.
    quitOnDestroy_ = false;
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    deleteFont(generateFont_);
    deleteFont(defaultFont_);
}

int Win32MainWindow::controlId(std::string_view name)
{
    for (std::size_t i = 0; i < layout::Controls.size(); ++i) {
        if (layout::Controls[i].name == name)
            return FirstControlId + int(i);
    }
    return -1;
}

HWND Win32MainWindow::control(std::string_view name) const
{
    const int id = controlId(name);
    return id < 0 ? nullptr : controls_[std::size_t(id - FirstControlId)];
}

void Win32MainWindow::create(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ClassName;
    RegisterClassExW(&windowClass);

    window_ = CreateWindowExW(WindowExStyle, ClassName, toWide(layout::Caption).c_str(), WindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, layout::ClientWidth, layout::ClientHeight, nullptr, nullptr, instance, this);
    // Created in tab order: the order of creation is the order of Tab.
    for (std::size_t i = 0; i < layout::Controls.size(); ++i) {
        const layout::Control& control = layout::Controls[i];
        controls_[i] = CreateWindowExW(exStyleOf(control.kind), classOf(control.kind), toWide(control.text).c_str(),
                                       styleOf(control.kind), 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(INT_PTR(FirstControlId + int(i))), instance, nullptr);
    }
    placeControls(dpiOf(window_));
}

void Win32MainWindow::show(int how)
{
    ShowWindow(window_, how);
    UpdateWindow(window_);
    SetFocus(control("Cmd_Do"));
}

// Every rectangle, the client size and the fonts follow the window's DPI.
void Win32MainWindow::placeControls(UINT dpi)
{
    RECT frame{0, 0, scaled(layout::ClientWidth, dpi), scaled(layout::ClientHeight, dpi)};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, WindowExStyle);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    deleteFont(generateFont_);
    deleteFont(defaultFont_);
    generateFont_ = createGenerateButtonFont(dpi);
    defaultFont_ = createDefaultFont(dpi);
    for (std::size_t i = 0; i < layout::Controls.size(); ++i) {
        const layout::Rectangle& at = layout::Controls[i].at;
        SetWindowPos(controls_[i], nullptr, scaled(at.left, dpi), scaled(at.top, dpi), scaled(at.width, dpi),
                     scaled(at.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT font = layout::Controls[i].name == "Cmd_Do" ? generateFont_ : defaultFont_;
        SendMessageW(controls_[i], WM_SETFONT, WPARAM(font), TRUE);
    }
}

LRESULT CALLBACK Win32MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            onCommand(LOWORD(wParam));
        return 0;
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
            return TRUE;
        }
        break;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placeControls(HIWORD(wParam));
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        if (quitOnDestroy_)
            PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// Enter and Esc arrive as IDOK and IDCANCEL, which no control has: they start nothing.
void Win32MainWindow::onCommand(int id)
{
    if (id == controlId("Cmd_Do"))
        commands_.generate();
    else if (id == controlId("Command2"))
        commands_.browseForFavorites();
    else if (id == controlId("Command1"))
        commands_.browseForOutput();
}

std::u16string Win32MainWindow::textOf(std::string_view name) const
{
    const HWND box = control(name);
    std::wstring text(std::size_t(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(box, text.data(), int(text.size()))));
    return fromWide(text);
}

std::u16string Win32MainWindow::favoriteText() const { return textOf("Txt_Favorite"); }

std::u16string Win32MainWindow::outputText() const { return textOf("Txt_OutPut"); }

void Win32MainWindow::setFavoriteText(const std::u16string& text) { SetWindowTextW(control("Txt_Favorite"), toWide(text).c_str()); }

void Win32MainWindow::setOutputText(const std::u16string& text) { SetWindowTextW(control("Txt_OutPut"), toWide(text).c_str()); }

WindowHandle Win32MainWindow::handle() const { return reinterpret_cast<WindowHandle>(window_); }

void Win32MainWindow::setBusyPointer(bool busy)
{
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

} // namespace markroll
