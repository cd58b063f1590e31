#pragma once

#include <QString>

namespace markroll::page {

// The link page's file name and every line it is made of. Inserted values are
// escaped here, so the lines are safe to write as they come.
QString fileName();

QString headBlock();
QString styleBlock();
QString sectionOpeningLine(const QString& folderPath);
QString linkLine(const QString& target, const QString& displayName);
QString noticeLine(const QString& displayName);
QString sectionClosingLine();
QString footLine();

// A shortcut's file name without its last four characters (the ".url"), cut by
// count; error 5 for a name shorter than that.
QString displayName(const QString& fileName);

} // namespace markroll::page
