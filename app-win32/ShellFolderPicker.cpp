#include "app-win32/ShellFolderPicker.h"

#include "platform/Failure.h"
#include "platform/windows/WideText.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace markroll {
namespace {

struct ShellMemoryRelease {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using ChosenItem = std::unique_ptr<ITEMIDLIST, ShellMemoryRelease>;
using ShellText = std::unique_ptr<wchar_t, ShellMemoryRelease>;

} // namespace

std::optional<std::u16string> ShellFolderPicker::browseForFolder(WindowHandle owner, std::u16string_view title)
{
    const std::wstring titleText = toWide(title);
    BROWSEINFOW options{};
    options.hwndOwner = reinterpret_cast<HWND>(owner);
    options.lpszTitle = titleText.c_str();
    const ChosenItem chosen(SHBrowseForFolderW(&options));
    if (!chosen)
        return std::nullopt;
    wchar_t* name = nullptr;
    const HRESULT named = SHGetNameFromIDList(chosen.get(), SIGDN_DESKTOPABSOLUTEPARSING, &name);
    const ShellText parsingName(name);
    if (FAILED(named) || !parsingName)
        throw Failure(FailureKind::System, {}, "the chosen folder has no name",
                      std::error_code(int(named), std::system_category()));
    return fromWide(parsingName.get());
}

} // namespace markroll
