#pragma once

#include "generator/MessageBoxes.h"

#include <functional>
#include <string_view>

namespace markroll {

class Failure;

// What one run tells the user, in message boxes, and whether it told of a
// failure on the way.
class RunReport {
public:
    RunReport(MessageBoxes& boxes, const std::function<void(const Failure&)>& onFailure)
        : boxes_(boxes), onFailure_(onFailure)
    {
    }

    // An exclamation box; `cause` is told to whoever watches for it first.
    void failure(std::u16string_view text, const Failure& cause, std::u16string_view title = {});
    void completion();
    // Even telling of a failure failed (no memory left for it, say): the run
    // still counts it as told, and the box is tried once more without a cause.
    void lastResort() noexcept;
    bool failuresTold() const { return failuresTold_; }

private:
    MessageBoxes& boxes_;
    const std::function<void(const Failure&)>& onFailure_;
    bool failuresTold_ = false;
};

} // namespace markroll
