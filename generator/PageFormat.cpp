#include "PageFormat.h"

#include "PageEscaping.h"
#include "ScriptError.h"

namespace markroll::page {

QString fileName() { return QStringLiteral("ALL_Favorites_Link.htm"); }

QString headBlock()
{
    return QStringLiteral("<HTML><HEAD>\r\n"
                          "<TITLE>ショートカット出力</TITLE>\r\n"
                          "<META http-equiv=Content-Type Content=\"text/html; Charset=shift_jis\">\r\n");
}

QString styleBlock()
{
    return QStringLiteral("<STYLE TYPE=\"text/css\">\r\n"
                          "<!-- OL {font-size=12} -->\r\n"
                          "</STYLE>\r\n"
                          "</HEAD>\r\n"
                          "<BODY>");
}

QString sectionOpeningLine(const QString& folderPath)
{
    return QStringLiteral("<OL>☆<B>") + escapePageText(folderPath) + QStringLiteral("</B>☆<BR>");
}

QString linkLine(const QString& target, const QString& displayName)
{
    return QStringLiteral("<LI><A Href=\"") + escapeLinkTarget(target) + QStringLiteral("\">")
        + escapePageText(displayName) + QStringLiteral("</A></LI>");
}

QString noticeLine(const QString& displayName)
{
    return QStringLiteral("<BR>　※※『") + escapePageText(displayName) + QStringLiteral("』の読み込みに失敗しました<BR>");
}

QString sectionClosingLine() { return QStringLiteral("</OL>"); }

QString footLine() { return QStringLiteral("</BODY></HTML>"); }

QString displayName(const QString& fileName)
{
    if (fileName.size() < 4)
        throw ScriptError(InvalidCall, QStringLiteral("no display name in \"%1\"").arg(fileName));
    return fileName.left(fileName.size() - 4);
}

} // namespace markroll::page
