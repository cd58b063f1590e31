#include "generator/PageFormat.h"

#include "generator/PageEscaping.h"
#include "platform/Failure.h"

namespace markroll::page {

// Literals as views, whose length the compiler counts: a big tree has a
// hundred thousand lines.
using namespace std::string_view_literals;

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

namespace {

// Each line is built in one string: a big tree has a hundred thousand of them.
template <typename Fill>
std::u16string lineOf(std::size_t expectedSize, Fill fill)
{
    std::u16string line;
    line.reserve(expectedSize);
    fill(line);
    return line;
}

} // namespace

std::u16string sectionOpeningLine(std::u16string_view folderPath)
{
    return lineOf(folderPath.size() + 32, [&](std::u16string& line) {
        line.append(u"<OL>☆<B>"sv);
        appendPageText(line, folderPath);
        line.append(u"</B>☆<BR>"sv);
    });
}

void linkLineInto(std::u16string& line, std::u16string_view target, std::u16string_view displayName)
{
    line.clear();
    line.reserve(target.size() + displayName.size() + 48);
    line.append(u"<LI><A Href=\""sv);
    appendLinkTarget(line, target);
    line.append(u"\">"sv);
    appendPageText(line, displayName);
    line.append(u"</A></LI>"sv);
}

std::u16string noticeLine(std::u16string_view displayName)
{
    return lineOf(displayName.size() + 48, [&](std::u16string& line) {
        line.append(u"<BR>　※※『"sv);
        appendPageText(line, displayName);
        line.append(u"』の読み込みに失敗しました<BR>"sv);
    });
}

std::u16string_view sectionClosingLine() { return u"</OL>"; }

std::u16string_view footLine() { return u"</BODY></HTML>"; }

std::u16string_view displayName(std::u16string_view fileName)
{
    if (fileName.size() < 4)
        throw Failure(FailureKind::UnreadableShortcut, fileName, "no display name");
    return fileName.substr(0, fileName.size() - 4);
}

} // namespace markroll::page
