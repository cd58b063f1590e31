#include "IniText.h"

#include <algorithm>

namespace markroll {
namespace {

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.sliced(1, value.size() - 2);
    return value;
}

QStringView sectionNameOf(QStringView line)
{
    const qsizetype close = line.indexOf(u']');
    return (close < 0 ? line.sliced(1) : line.sliced(1, close - 1)).trimmed();
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Calls `handle` with each line of `text`; lines end with CR LF, LF or CR.
template <typename Handle>
void forEachLine(QStringView text, Handle handle)
{
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        handle(text.sliced(start, end - start));
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

} // namespace

IniText::IniText(QStringView text)
{
    QList<QString> seenSections;
    QString current;
    bool counting = false;
    forEachLine(text, [&](QStringView rawLine) {
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            return;
        if (line.startsWith(u'[')) {
            current = sectionNameOf(line).toString();
            counting = std::none_of(seenSections.cbegin(), seenSections.cend(),
                                    [&](const QString& seen) { return sameName(seen, current); });
            if (counting)
                seenSections.append(current);
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!counting || equals < 0)
            return;
        entries_.append({current, line.first(equals).trimmed().toString(),
                         unquoted(line.sliced(equals + 1).trimmed()).toString()});
    });
}

std::optional<QString> IniText::value(QStringView section, QStringView key) const
{
    for (const Entry& entry : entries_) {
        if (sameName(entry.section, section) && sameName(entry.key, key))
            return entry.value;
    }
    return std::nullopt;
}

} // namespace markroll
