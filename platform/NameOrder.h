#pragma once

#include <QString>
#include <QStringList>

namespace markroll {

// The fixed order of folder and file listings: names compared after upper-casing
// each UTF-16 code unit, unit by unit; names equal that way fall back to their
// exact code units. No locale, so the same tree lists the same on every machine.
bool nameOrderLess(const QString& a, const QString& b);
void sortByNameOrder(QStringList& names);

} // namespace markroll
