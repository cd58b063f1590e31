#pragma once

namespace markroll {

// What one generation run told the user: whether it said the page was done,
// and whether any failure was shown on the way.
struct RunOutcome {
    bool completed = false;
    bool failuresReported = false;

    bool succeeded() const { return completed && !failuresReported; }
};

} // namespace markroll
