#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace markroll::test {

struct ProcessResult {
    int status = -1;  // the exit status, 128 + the signal that ended it, or -1 when it did not end in time
    std::string out;
    std::string err;
};

// Runs a program with its standard input closed and both outputs captured.
// `command` holds the program's path first, then its arguments, as UTF-8.
// `whileRunning`, when given, is called with the child's process id once it
// has started, before its output is read.
ProcessResult runProcess(const std::vector<std::string>& command, const std::filesystem::path& workingFolder = {},
                         std::chrono::seconds timeout = std::chrono::seconds(60),
                         const std::function<void(int processId)>& whileRunning = {});

// The full path of a program found on PATH, or empty.
std::string findProgram(const std::string& name);

} // namespace markroll::test
