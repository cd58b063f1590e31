#include "cli/Console.h"

#include <unistd.h>

namespace markroll {

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

// A terminal here takes the UTF-8 bytes as they are.
bool writeToConsole(std::FILE*, std::string_view) { return false; }

} // namespace markroll
