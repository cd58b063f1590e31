#pragma once

#include <string_view>

namespace markroll::messages {

inline constexpr std::u16string_view BlankInput = u"未入力項目が有ります";
inline constexpr std::u16string_view Completed = u"出力完了！！";
inline constexpr std::u16string_view ErrorOccurred = u"エラーが発生しました";
inline constexpr std::u16string_view FileOutputFailed = u"ファイルの出力に失敗しました";
inline constexpr std::u16string_view WarningTitle = u"警告！";

} // namespace markroll::messages
