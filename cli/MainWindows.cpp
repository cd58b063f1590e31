#include "cli/CliRun.h"
#include "cli/LastResort.h"
#include "platform/files/StandardStreams.h"
#include "platform/windows/WideText.h"

#include <string>
#include <vector>

// wmain: the arguments arrive as the wide text Windows keeps them in.
int wmain(int argc, wchar_t* argv[])
{
    const markroll::ClosedStandardStreams closed = markroll::openClosedStandardStreams();
    markroll::installLastResort();
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(markroll::fromWide(argv[i]));
    return markroll::runCli(arguments, closed);
}
