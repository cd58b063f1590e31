#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace markroll::test {

struct ProcessResult {
    int status = -1;  // the exit status, or -1 when it did not end by itself in time
    std::string out;
    std::string err;
};

// Runs a program with its standard input closed and both outputs captured.
// `command` holds the program's path first, then its arguments, as UTF-8.
ProcessResult runProcess(const std::vector<std::string>& command, const std::filesystem::path& workingFolder = {},
                         std::chrono::seconds timeout = std::chrono::seconds(60));

// The full path of a program found on PATH, or empty.
std::string findProgram(const std::string& name);

} // namespace markroll::test
