#pragma once

#include <array>
#include <string_view>

namespace markroll::layout {

// The main window as every front end draws it: the caption, the client size
// and the seven controls in tab order, in pixels at 96 dots per inch.

inline constexpr std::u16string_view Caption = u"　＋＋＋　Markroll　k/r　＋＋＋";
inline constexpr int ClientWidth = 427;
inline constexpr int ClientHeight = 139;
inline constexpr std::u16string_view FavoritesStartText = u"C:\\Documents and Settings\\Administrator\\Favorites";

enum class ControlKind { PushButton, TextBox, Label };

struct Rectangle {
    int left;
    int top;
    int width;
    int height;
};

struct Control {
    std::string_view name;
    ControlKind kind;
    std::u16string_view text;
    Rectangle at;
};

// In tab order: Cmd_Do first, so it has the focus at start.
inline constexpr std::array<Control, 7> Controls{{
    {"Cmd_Do", ControlKind::PushButton, u"Html出力", {333, 104, 84, 25}},
    {"Txt_Favorite", ControlKind::TextBox, FavoritesStartText, {9, 24, 370, 19}},
    {"Label1", ControlKind::Label, u"Favorites （お気に入り） フォルダのパス", {9, 8, 370, 13}},
    {"Txt_OutPut", ControlKind::TextBox, u"", {9, 72, 370, 19}},
    {"Label2", ControlKind::Label, u"ファイル出力先フォルダのパス", {9, 56, 370, 13}},
    {"Command2", ControlKind::PushButton, u"参照", {380, 21, 40, 23}},
    {"Command1", ControlKind::PushButton, u"参照", {380, 69, 40, 23}},
}};

// The generate button's own face.
inline constexpr std::u16string_view GenerateButtonFace = u"ＭＳ Ｐゴシック";
inline constexpr double GenerateButtonPoints = 11.25;
inline constexpr int GenerateButtonWeight = 700;
inline constexpr int ShiftJisCharacterSet = 128;

} // namespace markroll::layout
