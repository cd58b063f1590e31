#pragma once

#include <chrono>
#include <cstdio>
#include <functional>

namespace markroll {

// "folders written / folders found", kept on one line of a terminal and updated
// in place once a run has taken longer than a second. Nothing reaches a pipe
// or a file.
class ProgressLine {
public:
    using Clock = std::function<std::chrono::milliseconds()>;

    explicit ProgressLine(std::FILE* stream);
    // For a stream whose kind and time are known: tests.
    ProgressLine(std::FILE* stream, bool isTerminal, Clock elapsed);
    void update(int done, int total);
    void clear();

private:
    std::FILE* stream_;
    bool isTerminal_;
    bool shown_ = false;
    Clock elapsed_;
    std::chrono::milliseconds lastDrawn_{-1};
};

} // namespace markroll
