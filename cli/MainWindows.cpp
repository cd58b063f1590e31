#include "cli/ProgramStart.h"
#include "platform/windows/WideText.h"

// wmain: the arguments arrive as the wide text Windows keeps them in.
int wmain(int argc, wchar_t* argv[])
{
    return markroll::startCli(argc, argv, [](const wchar_t* argument) { return markroll::fromWide(argument); });
}
