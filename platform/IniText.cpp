#include "IniText.h"

#include <QRegularExpression>
#include <QSet>

namespace markroll {
namespace {

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

QString sectionNameOf(const QString& line)
{
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    return line.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

} // namespace

IniText::IniText(QStringView text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QSet<QString> seenSections;
    QString current;
    bool counting = false;
    const QStringList lines = text.toString().split(lineEnd);
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            current = sectionNameOf(line).toCaseFolded();
            counting = !seenSections.contains(current);
            seenSections.insert(current);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!counting || equals < 0)
            continue;
        entries_.append({current, line.left(equals).trimmed().toCaseFolded(), unquoted(line.mid(equals + 1).trimmed())});
    }
}

std::optional<QString> IniText::value(QStringView section, QStringView key) const
{
    const QString wantedSection = section.toString().toCaseFolded();
    const QString wantedKey = key.toString().toCaseFolded();
    for (const Entry& entry : entries_) {
        if (entry.section == wantedSection && entry.key == wantedKey)
            return entry.value;
    }
    return std::nullopt;
}

} // namespace markroll
