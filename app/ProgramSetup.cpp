#include "app/ProgramSetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>

namespace markroll {

ProgramSetup::ProgramSetup()
{
    if (japanese_.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&japanese_);
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings_.path());
}

} // namespace markroll
