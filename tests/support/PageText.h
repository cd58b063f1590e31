#pragma once

#include "tests/support/TestSupport.h"

#include <string>
#include <string_view>

namespace markroll::test {

// The page's fixed lines as readable text; tests turn them into bytes with
// cp932Lines().
inline std::u16string headAndStyle()
{
    return u"<HTML><HEAD>\n<TITLE>ショートカット出力</TITLE>\n"
           u"<META http-equiv=Content-Type Content=\"text/html; Charset=shift_jis\">\n\n"
           u"<STYLE TYPE=\"text/css\">\n<!-- OL {font-size=12} -->\n</STYLE>\n</HEAD>\n<BODY>\n";
}
inline std::u16string foot() { return u"</BODY></HTML>\n"; }
// A folder's heading; "/" in `path` stands for the host's separator.
inline std::u16string opening(std::u16string_view path) { return u"<OL>☆<B>" + hostPath(path) + u"</B>☆<BR>\n"; }
inline std::u16string closing() { return u"</OL>\n"; }
inline std::u16string link(std::u16string_view name)
{
    const std::u16string n(name);
    return u"<LI><A Href=\"http://" + n + u"/\">" + n + u"</A></LI>\n";
}
inline std::u16string notice(std::u16string_view name)
{
    return u"<BR>　※※『" + std::u16string(name) + u"』の読み込みに失敗しました<BR>\n";
}

} // namespace markroll::test
