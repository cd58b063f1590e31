#include "app/ProgramSetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace markroll {

ProgramSetup::ProgramSetup()
{
    if (japanese_.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&japanese_);
    // Qt keeps the folder picker's history in its settings; they go to a
    // folder of this run's, removed when the program ends, so nothing
    // outlives it. Held for the whole process, so that also an exit() (Qt's
    // own, when the display goes away) removes it.
    static const QTemporaryDir settings;
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
}

} // namespace markroll
