#include "generator/ShortcutUrl.h"

#include "shortcut/InternetShortcut.h"

namespace markroll {

std::u16string shortcutUrl(Host& host, const ListedEntry& entry, std::u16string_view shownPath)
{
    auto url = internetShortcutTarget(host.readListedFile(entry, MaxShortcutFileSize, shownPath));
    if (!url)
        throw Failure(FailureKind::UnreadableShortcut, shownPath, "the shortcut has no URL");
    return std::move(*url);
}

} // namespace markroll
