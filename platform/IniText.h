#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace markroll {

// INI-style text read the way Windows' profile functions read it: section and
// key names without regard to letter case, white space around names and values
// trimmed, a pair of double quotes around a value removed, ";" lines ignored,
// and only the first section of a name and the first key within it counted.
class IniText {
public:
    explicit IniText(QStringView text);
    std::optional<QString> value(QStringView section, QStringView key) const;

private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    QList<Entry> entries_;
};

} // namespace markroll
