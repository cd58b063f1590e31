#pragma once

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
};

} // namespace markroll
