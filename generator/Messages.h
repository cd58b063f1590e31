#pragma once

#include <string>
#include <string_view>

namespace markroll::messages {

inline constexpr std::u16string_view BlankInput = u"未入力項目が有ります";
inline constexpr std::u16string_view Completed = u"出力完了！！";
inline constexpr std::u16string_view ErrorOccurred = u"エラーが発生しました";
inline constexpr std::u16string_view FileOutputFailed = u"ファイルの出力に失敗しました";
inline constexpr std::u16string_view WarningTitle = u"警告！";

// "label：N件".
inline std::u16string counted(std::u16string_view label, std::size_t count)
{
    std::u16string text(label);
    text += u'：';
    for (const char digit : std::to_string(count))
        text.push_back(char16_t(digit));
    return text + u"件";
}

// After the completion line, when shortcuts could not go into the bookmark
// file (unreadable, or no URL): how many.
inline std::u16string leftOutOfBookmarks(std::size_t count)
{
    return counted(u"ブックマークファイルに入れられなかったショートカット", count);
}
inline std::u16string bookmarked(std::size_t count) { return counted(u"ブックマークファイルに入れたショートカット", count); }

} // namespace markroll::messages
