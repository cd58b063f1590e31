#include "cli/ProgramStart.h"
#include "platform/files/HostPath.h"

// Paths are taken byte for byte, so a folder whose name is not UTF-8 opens too.
int main(int argc, char* argv[])
{
    return markroll::startCli(argc, argv, [](const char* argument) { return markroll::fromHostBytes(argument); });
}
