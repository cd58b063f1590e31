#pragma once

#include "cli/CliRun.h"
#include "cli/LastResort.h"
#include "platform/files/StandardStreams.h"

#include <string>
#include <vector>

namespace markroll {

// The command line's start on either system: the standard streams and the
// last resort first, then the run, each argument made text by `toText`.
template <typename Argument, typename ToText>
int startCli(int argc, Argument* argv[], ToText toText)
{
    const ClosedStandardStreams closed = openClosedStandardStreams();
    installLastResort();
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(toText(argv[i]));
    return runCli(arguments, closed);
}

} // namespace markroll
