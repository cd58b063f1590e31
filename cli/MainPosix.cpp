#include "cli/CliRun.h"
#include "cli/LastResort.h"
#include "platform/files/HostPath.h"
#include "platform/files/StandardStreams.h"

#include <string>
#include <vector>

// Paths are taken byte for byte, so a folder whose name is not UTF-8 opens too.
int main(int argc, char* argv[])
{
    const markroll::ClosedStandardStreams closed = markroll::openClosedStandardStreams();
    markroll::installLastResort();
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(markroll::fromHostBytes(argv[i]));
    return markroll::runCli(arguments, closed);
}
