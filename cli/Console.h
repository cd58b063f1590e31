#pragma once

#include <cstdio>
#include <string_view>

namespace markroll {

// What the command line's streams are, each system's own: in
// ConsolePosix.cpp and ConsoleWindows.cpp.

bool isTerminal(std::FILE* stream);

// Writes a line of UTF-8 text to `stream` when it is a console that shows
// wide text whatever its code page (Windows'); false, and nothing written,
// when it is not one.
bool writeToConsole(std::FILE* stream, std::string_view utf8Text);

} // namespace markroll
