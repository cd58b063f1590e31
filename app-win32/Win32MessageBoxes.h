#pragma once

#include "generator/MessageBoxes.h"

#include <windows.h>

namespace markroll {

// MessageBoxW with one OK button, modal to the main window.
class Win32MessageBoxes : public MessageBoxes {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) override;

private:
    HWND owner_ = nullptr;
};

} // namespace markroll
