#include "DirectoryListing.h"

#include "HostPath.h"
#include "NameOrder.h"

#include <QRegularExpression>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace markroll {
namespace {

class NameMask {
public:
    explicit NameMask(const QString& mask)
    {
        const QString rest = mask.mid(1);
        if (mask.startsWith(QLatin1Char('*')) && !rest.contains(QLatin1Char('*')) && !rest.contains(QLatin1Char('?')))
            suffix_ = rest;
        else
            expression_ = QRegularExpression(QRegularExpression::wildcardToRegularExpression(mask),
                                             QRegularExpression::CaseInsensitiveOption);
    }

    bool matches(const QString& name) const
    {
        if (!suffix_.isNull())
            return name.endsWith(suffix_, Qt::CaseInsensitive);
        return expression_.match(name).hasMatch();
    }

private:
    QString suffix_;
    QRegularExpression expression_;
};

bool isHidden(const fs::directory_entry& entry, const QString& name)
{
#ifdef _WIN32
    Q_UNUSED(name);
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
    Q_UNUSED(entry);
    return name.startsWith(QLatin1Char('.'));
#endif
}

QStringList matchingFiles(const fs::path& folder, const NameMask& mask)
{
    QStringList names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        const QString name = fileNameOf(entry.path());
        if (!mask.matches(name) || isHidden(entry, name))
            continue;
        std::error_code typeError;
        if (entry.is_regular_file(typeError))
            names.append(name);
    }
    sortByNameOrder(names);
    return names;
}

} // namespace

QString LocalDirectoryListing::start(const QString& pattern)
{
    const qsizetype cut = pattern.lastIndexOf(hostSeparator());
    const QString folder = cut < 0 ? QStringLiteral(".") : pattern.left(cut);
    const QString mask = pattern.mid(cut + 1);
    names_ = matchingFiles(toFsPath(folder.isEmpty() ? QString(hostSeparator()) : folder), NameMask(mask));
    position_ = 0;
    return next();
}

QString LocalDirectoryListing::next()
{
    if (position_ >= names_.size())
        return {};
    return names_.at(position_++);
}

} // namespace markroll
