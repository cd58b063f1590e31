#pragma once

#include <QString>
#include <QStringList>

namespace markroll {

// A wildcard search in one folder: start with "folder<sep>mask", then fetch one
// name after another; the empty text means there are no more. Starting a new
// search abandons the previous one.
class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    virtual QString start(const QString& pattern) = 0;
    virtual QString next() = 0;
};

// Ordinary, visible files only (a link counts when it leads to an ordinary
// file), mask matched without regard to letter case, names in name order.
// A folder that is missing or unreadable simply has no names.
class LocalDirectoryListing : public DirectoryListing {
public:
    QString start(const QString& pattern) override;
    QString next() override;

private:
    QStringList names_;
    qsizetype position_ = 0;
};

} // namespace markroll
