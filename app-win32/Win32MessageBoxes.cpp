#include "app-win32/Win32MessageBoxes.h"

#include "platform/windows/WideText.h"

namespace markroll {

// The style values are MessageBoxW's own: 0 plain, 48 MB_ICONEXCLAMATION,
// 64 MB_ICONINFORMATION, each with MB_OK.
void Win32MessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    MessageBoxW(owner_, toWide(text).c_str(), toWide(effectiveTitle(title)).c_str(), MB_OK | UINT(style));
}

} // namespace markroll
