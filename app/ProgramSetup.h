#pragma once

#include <QTemporaryDir>
#include <QTranslator>

namespace markroll {

// What the Linux program sets up before its window opens.
class ProgramSetup {
public:
    ProgramSetup();
    ProgramSetup(const ProgramSetup&) = delete;
    ProgramSetup& operator=(const ProgramSetup&) = delete;

private:
    // Qt's own texts in Japanese (the folder picker, the boxes' buttons), as on
    // the Japanese desktop the program is made for.
    QTranslator japanese_;
    // Qt keeps the folder picker's history in its settings; they go to a
    // folder of this run's, removed when the program ends, so nothing outlives it.
    QTemporaryDir settings_;
};

} // namespace markroll
