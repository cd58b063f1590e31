#pragma once

#include <string>
#include <vector>

namespace markroll {

// Names as Japanese Favorites folders hold them: Latin in both cases and full
// width, kana, kanji, digits in runs of any length, punctuation, spaces.
inline std::vector<std::u16string> explorerOrderCorpus()
{
    return {u"Windows",        u"Windows Media",  u"windows update", u"MSN",           u"MSN 自動車",
            u"msn2",           u"MSN10",          u"Item 1",         u"item 2",        u"Item 10",
            u"Item 010",       u"Item 9a",        u"2005年",         u"10月",          u"1",
            u"01",             u"001a",           u"まとめ ～その2～", u"まとめ ～その10～", u"ニュース",
            u"にゅーす",       u"旅行",           u"開発",           u"東京",          u"ＡＢＣ",
            u"ａｂｃ",         u"ABC",            u"abc",            u"１２",          u"Ｗｉｎｄｏｗｓ",
            u"_private",       u"-dash",          u"(かっこ)",       u"!important",    u"~tilde",
            u"a b",            u"a-b",            u"a_b",            u"a.b",           u"ab",
            u"Ä",              u"ä",              u"É",              u"z",             u"Z",
            u"さくら",         u"サクラ",         u"桜",             u"日本",          u"日本語",
            u"漢字",           u"カタカナ",       u"ｶﾀｶﾅ",           u"ヴァイオリン",  u"キャンプ",
            u"きゃんぷ",       u"ニュース速報",   u"株式会社",       u"㈱",            u"№1",
            u"第2回",          u"第10回",         u"第１回",         u"12345678901",   u"12345678902",
            u"서울 여행",      u"한국어",         u"Ωmega",          u"Привет",        u"😀 emoji"};
}

} // namespace markroll
