#pragma once

#include <string_view>

namespace markroll::messages {

// The window's own texts, the same in every front end; the generator's are in
// Messages.h.
inline constexpr std::u16string_view PickerTitle = u"フォルダを選択してください。";
inline constexpr std::u16string_view PickFromDrive = u"ドライブからフォルダを選択してください";
inline constexpr std::u16string_view BrowseUnavailable =
    u"参照ボタンを使用することはできません\r\nテキストボックスに直接パスを入力してください";

} // namespace markroll::messages
