#include "app-win32/Win32MainWindow.h"
#include "app-win32/ShellFolderPicker.h"
#include "app-win32/Win32MessageBoxes.h"
#include "tests/support/FaultyHost.h"
#include "window/MainWindowLayout.h"
#include "window/WindowMessages.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <objbase.h>
#include <thread>
#include <windows.h>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

namespace {

class ScriptedFolderPicker : public FolderPicker {
public:
    std::optional<std::u16string> browseForFolder(WindowHandle, std::u16string_view) override { return answer(); }
    std::function<std::optional<std::u16string>()> answer = [] { return std::nullopt; };
};

struct WindowHarness {
    explicit WindowHarness(FolderPicker* picker = nullptr) : window({boxes, picker ? *picker : scripted, host})
    {
        window.create(GetModuleHandleW(nullptr));
    }
    RecordingMessageBoxes boxes;
    ScriptedFolderPicker scripted;
    FaultyHost host;
    Win32MainWindow window;

    HWND control(std::string_view name) const { return window.control(name); }
    std::wstring textOf(std::string_view name) const
    {
        wchar_t text[512] = {};
        GetWindowTextW(control(name), text, 512);
        return text;
    }
    void click(std::string_view name) const { SendMessageW(control(name), BM_CLICK, 0, 0); }
};

std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// Runs `answer` on another thread once a window that `find` looks for is up,
// so a modal box or dialog is closed by the test, never by a person. Gives up
// after ten seconds.
class Answerer {
public:
    Answerer(std::function<HWND()> find, std::function<void(HWND)> answer)
        : thread_([this, find = std::move(find), answer = std::move(answer)] {
              for (int wait = 0; wait < 1000 && !stop_; ++wait) {
                  if (const HWND found = find()) {
                      answer(found);
                      answered_ = true;
                      return;
                  }
                  Sleep(10);
              }
          })
    {
    }
    ~Answerer()
    {
        stop_ = true;
        thread_.join();
    }
    bool answered() const { return answered_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

HWND dialogOwnedBy(HWND owner)
{
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            wchar_t className[32] = {};
            GetClassNameW(window, className, 32);
            if (GetWindow(window, GW_OWNER) == search->owner && std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

} // namespace

TEST(Win32Window, CaptionClientSizeAndAFixedFrameWithTheCloseBoxOnly)
{
    WindowHarness harness;
    const HWND window = harness.window.window();
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_EQ(std::wstring(caption), wide(layout::Caption));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 427);
    EXPECT_EQ(client.bottom, 139);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame cannot be resized";
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    EXPECT_EQ(std::wstring(className), L"Frm_Main");
}

TEST(Win32Window, SevenControlsAtTheirRectanglesWithTheirTexts)
{
    WindowHarness harness;
    for (const layout::Control& control : layout::Controls) {
        const HWND handle = harness.control(control.name);
        ASSERT_NE(handle, nullptr) << control.name;
        RECT at{};
        GetWindowRect(handle, &at);
        MapWindowPoints(nullptr, harness.window.window(), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at.left, control.at.left) << control.name;
        EXPECT_EQ(at.top, control.at.top) << control.name;
        EXPECT_EQ(at.right - at.left, control.at.width) << control.name;
        EXPECT_EQ(at.bottom - at.top, control.at.height) << control.name;
        EXPECT_EQ(harness.textOf(control.name), wide(control.text)) << control.name;
        wchar_t className[32] = {};
        GetClassNameW(handle, className, 32);
        const std::wstring expected = control.kind == layout::ControlKind::PushButton ? L"Button"
            : control.kind == layout::ControlKind::TextBox                          ? L"Edit"
                                                                                    : L"Static";
        EXPECT_EQ(_wcsicmp(className, expected.c_str()), 0) << control.name;
    }
}

TEST(Win32Window, TheGenerateButtonHasItsOwnBoldShiftJisFace)
{
    WindowHarness harness;
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(harness.control("Cmd_Do"), WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_EQ(std::wstring(font.lfFaceName), wide(layout::GenerateButtonFace));
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfCharSet, 128);
    EXPECT_EQ(font.lfHeight, -15) << "11.25 points at 96 dots per inch";
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
}

TEST(Win32Window, FocusStartsOnTheGenerateButtonAndTabSkipsTheLabels)
{
    WindowHarness harness;
    harness.window.show(SW_SHOWNORMAL);
    EXPECT_EQ(GetFocus(), harness.control("Cmd_Do"));
    const char* order[] = {"Txt_Favorite", "Txt_OutPut", "Command2", "Command1", "Cmd_Do"};
    HWND at = harness.control("Cmd_Do");
    for (const char* name : order) {
        at = GetNextDlgTabItem(harness.window.window(), at, FALSE);
        EXPECT_EQ(at, harness.control(name)) << name;
    }
    EXPECT_EQ(GetNextDlgTabItem(harness.window.window(), harness.control("Cmd_Do"), TRUE), harness.control("Command1"));
}

TEST(Win32Window, NoButtonIsDefaultSoEnterAndEscapeStartNothing)
{
    WindowHarness harness;
    for (const char* name : {"Cmd_Do", "Command1", "Command2"})
        EXPECT_EQ(GetWindowLongPtrW(harness.control(name), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << name;
    harness.window.show(SW_SHOWNORMAL);
    SetFocus(harness.control("Txt_Favorite"));
    for (const WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        MSG message{harness.control("Txt_Favorite"), WM_KEYDOWN, key, 0, 0, {}};
        IsDialogMessageW(harness.window.window(), &message);
    }
    EXPECT_TRUE(harness.boxes.shown.empty());
    EXPECT_TRUE(IsWindow(harness.window.window()));
}

TEST(Win32Window, ABlankBoxIsRefusedWithTheMessageAndNoRun)
{
    WindowHarness harness;
    int runs = 0;
    harness.host.beforeListSubfolders = [&](std::u16string_view) { ++runs; };
    SetWindowTextW(harness.control("Txt_Favorite"), L"\u3000 ");
    harness.click("Cmd_Do");
    const ShownMessage blank{u"未入力項目が有ります", int(MessageStyle::Exclamation), u"Markroll"};
    EXPECT_EQ(harness.boxes.shown, Shown{blank});
    EXPECT_EQ(runs, 0);
}

TEST(Win32Window, AFullRunWritesThePageUnderTheHourglass)
{
    TempTree out;
    WindowHarness harness;
    bool waitCursorWhileShown = false;
    harness.boxes.onShow = [&](const ShownMessage&) {
        waitCursorWhileShown = GetCursor() == LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
    };
    WorkingFolder inside(dataPath(u"trees"));
    SetWindowTextW(harness.control("Txt_Favorite"), L"nested");
    SetWindowTextW(harness.control("Txt_OutPut"), wide(out.path()).c_str());
    harness.click("Cmd_Do");
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
    EXPECT_TRUE(waitCursorWhileShown);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    EXPECT_SAME_PAGE(withHostSeparators(readBytes(dataPath(u"pages/nested.htm"))), readBytes(pageFile(out.path())));
}

TEST(Win32Window, EachBrowseButtonFillsItsOwnBox)
{
    WindowHarness harness;
    harness.scripted.answer = [] { return std::u16string(u"D:\\お気に入り\\"); };
    harness.click("Command1");
    EXPECT_EQ(harness.textOf("Txt_OutPut"), L"D:\\お気に入り\\");
    EXPECT_EQ(harness.textOf("Txt_Favorite"), wide(layout::FavoritesStartText));
    harness.scripted.answer = [] { return std::u16string(u"C:\\Favorites"); };
    harness.click("Command2");
    EXPECT_EQ(harness.textOf("Txt_Favorite"), L"C:\\Favorites");
    harness.scripted.answer = [] { return std::u16string(u"::{20D04FE0}"); };
    harness.click("Command2");
    EXPECT_EQ(harness.textOf("Txt_Favorite"), L"C:\\Favorites");
    const ShownMessage pickFromDrive{std::u16string(messages::PickFromDrive), int(MessageStyle::Information), u"Markroll"};
    EXPECT_EQ(harness.boxes.shown, Shown{pickFromDrive});
}

// The real MessageBoxW, answered by the test.
TEST(Win32Window, MessageBoxesCarryTheirTextStyleAndTitle)
{
    WindowHarness harness;
    harness.window.show(SW_SHOWNORMAL);
    Win32MessageBoxes boxes;
    boxes.setOwner(harness.window.window());
    std::wstring seenTitle;
    std::wstring seenText;
    const HWND owner = harness.window.window();
    {
        const Answerer answerer([owner] { return dialogOwnedBy(owner); },
                                [&](HWND box) {
                                    wchar_t text[256] = {};
                                    GetWindowTextW(box, text, 256);
                                    seenTitle = text;
                                    GetDlgItemTextW(box, 0xFFFF, text, 256);
                                    seenText = text;
                                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                                });
        boxes.show(u"ファイルの出力に失敗しました", MessageStyle::Exclamation, u"警告！");
        EXPECT_TRUE(answerer.answered()) << "no message box owned by the window showed";
    }
    EXPECT_EQ(seenTitle, L"警告！");
    EXPECT_EQ(seenText, L"ファイルの出力に失敗しました");
}

// The shell's own folder picker, cancelled by the test.
TEST(Win32Window, TheShellPickerCancelledLeavesTheBoxAsItWas)
{
    const ComApartment apartment;
    ShellFolderPicker picker;
    WindowHarness harness(&picker);
    harness.window.show(SW_SHOWNORMAL);
    const HWND owner = harness.window.window();
    const Answerer answerer([owner] { return dialogOwnedBy(owner); },
                            [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    harness.click("Command1");
    EXPECT_TRUE(answerer.answered()) << "the folder picker never showed";
    EXPECT_EQ(harness.textOf("Txt_OutPut"), L"");
    EXPECT_TRUE(harness.boxes.shown.empty()) << (harness.boxes.shown.empty() ? "" : utf8(harness.boxes.shown[0].text));
}

TEST(Win32Window, ClosingEndsTheProgramButDroppingTheWindowDoesNot)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    {
        WindowHarness dropped;
    }
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    WindowHarness harness;
    SendMessageW(harness.window.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(harness.window.window()));
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
