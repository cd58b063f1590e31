#pragma once

#include "MessageBoxes.h"

#include <cstdio>
#include <functional>
#include <string_view>

namespace markroll {

// Message boxes as lines "TITLE: TEXT" in UTF-8: information on standard
// output, everything else, the failures, on standard error.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) override;

    // Set when something else writes to standard error in place, so the
    // message starts on a clean line.
    void setBeforeMessage(std::function<void()> hook) { beforeMessage_ = std::move(hook); }

private:
    std::function<void()> beforeMessage_;
};

void printLine(std::FILE* stream, std::string_view utf8Text);

} // namespace markroll
