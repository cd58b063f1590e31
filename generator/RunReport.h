#pragma once

#include "generator/MessageBoxes.h"

#include <string_view>

namespace markroll {

// What one run tells the user, in message boxes, and whether it told of a
// failure on the way.
class RunReport {
public:
    explicit RunReport(MessageBoxes& boxes) : boxes_(boxes) {}

    // An exclamation box, with what failed.
    void failure(std::u16string_view text, const Failure& cause, std::u16string_view title = {});
    void completion();
    // An information box after the completion.
    void information(std::u16string_view text);
    // Even telling of a failure failed (no memory left for it, say): the run
    // still counts it as told, and the box is tried once more without a cause.
    void lastResort() noexcept;
    bool failuresTold() const { return failuresTold_; }

private:
    MessageBoxes& boxes_;
    bool failuresTold_ = false;
};

} // namespace markroll
