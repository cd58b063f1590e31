#include "app-win32/Win32MessageBoxes.h"

#include "platform/windows/WideText.h"

namespace markroll {

namespace {

UINT iconOf(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Exclamation: return MB_ICONEXCLAMATION;
    case MessageStyle::Information: return MB_ICONINFORMATION;
    case MessageStyle::Plain: break;
    }
    return 0;
}

} // namespace

void Win32MessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    MessageBoxW(owner_, toWide(text).c_str(), toWide(effectiveTitle(title)).c_str(), MB_OK | iconOf(style));
}

} // namespace markroll
