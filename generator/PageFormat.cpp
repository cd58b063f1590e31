#include "PageFormat.h"

#include "HostPath.h"
#include "PageEscaping.h"
#include "ScriptError.h"
#include "Unicode.h"

namespace markroll::page {

std::u16string_view headBlock()
{
    return u"<HTML><HEAD>\r\n"
           u"<TITLE>ショートカット出力</TITLE>\r\n"
           u"<META http-equiv=Content-Type Content=\"text/html; Charset=shift_jis\">\r\n";
}

std::u16string_view styleBlock()
{
    return u"<STYLE TYPE=\"text/css\">\r\n"
           u"<!-- OL {font-size=12} -->\r\n"
           u"</STYLE>\r\n"
           u"</HEAD>\r\n"
           u"<BODY>";
}

std::u16string sectionOpeningLine(std::u16string_view folderPath)
{
    return u"<OL>☆<B>" + escapePageText(readableHostText(folderPath)) + u"</B>☆<BR>";
}

std::u16string linkLine(std::u16string_view target, std::u16string_view displayName)
{
    return u"<LI><A Href=\"" + escapeLinkTarget(target) + u"\">" + escapePageText(readableHostText(displayName)) + u"</A></LI>";
}

std::u16string noticeLine(std::u16string_view displayName)
{
    return u"<BR>　※※『" + escapePageText(readableHostText(displayName)) + u"』の読み込みに失敗しました<BR>";
}

std::u16string_view sectionClosingLine() { return u"</OL>"; }

std::u16string_view footLine() { return u"</BODY></HTML>"; }

std::u16string displayName(std::u16string_view fileName)
{
    if (fileName.size() < 4)
        throw ScriptError(InvalidCall, fileName, "no display name");
    return std::u16string(fileName.substr(0, fileName.size() - 4));
}

} // namespace markroll::page
