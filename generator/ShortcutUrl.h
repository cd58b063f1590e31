#pragma once

#include "platform/Host.h"

#include <string>
#include <string_view>

namespace markroll {

// The URL of the listed shortcut file `entry`, shown as `shownPath` in
// messages. A file that cannot be read on its own account, or that holds no
// URL, is an UnreadableShortcut failure.
std::u16string shortcutUrl(Host& host, const ListedEntry& entry, std::u16string_view shownPath);

} // namespace markroll
