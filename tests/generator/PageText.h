#pragma once

#include <QString>

namespace markroll::test {

// The page's fixed lines as readable text; tests turn them into bytes with
// cp932Lines().
inline QString headAndStyle()
{
    return QStringLiteral("<HTML><HEAD>\n<TITLE>ショートカット出力</TITLE>\n"
                          "<META http-equiv=Content-Type Content=\"text/html; Charset=shift_jis\">\n\n"
                          "<STYLE TYPE=\"text/css\">\n<!-- OL {font-size=12} -->\n</STYLE>\n</HEAD>\n<BODY>\n");
}
inline QString foot() { return QStringLiteral("</BODY></HTML>\n"); }
inline QString opening(const QString& path) { return QStringLiteral("<OL>☆<B>%1</B>☆<BR>\n").arg(path); }
inline QString closing() { return QStringLiteral("</OL>\n"); }
inline QString link(const QString& name)
{
    return QStringLiteral("<LI><A Href=\"http://%1/\">%1</A></LI>\n").arg(name);
}
inline QString notice(const QString& name)
{
    return QStringLiteral("<BR>　※※『%1』の読み込みに失敗しました<BR>\n").arg(name);
}

} // namespace markroll::test
