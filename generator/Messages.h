#pragma once

#include <QString>

namespace markroll::messages {

inline QString blankInput() { return QStringLiteral("未入力項目が有ります"); }
inline QString pickFromDrive() { return QStringLiteral("ドライブからフォルダを選択してください"); }
inline QString browseUnavailable()
{
    return QStringLiteral("参照ボタンを使用することはできません\r\nテキストボックスに直接パスを入力してください");
}
inline QString pickerTitle() { return QStringLiteral("フォルダを選択してください。"); }
inline QString completed() { return QStringLiteral("出力完了！！"); }
inline QString errorOccurred() { return QStringLiteral("エラーが発生しました"); }
inline QString fileOutputFailed() { return QStringLiteral("ファイルの出力に失敗しました"); }
inline QString warningTitle() { return QStringLiteral("警告！"); }

} // namespace markroll::messages
