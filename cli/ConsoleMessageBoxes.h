#pragma once

#include "MessageBoxes.h"

#include <cstdio>
#include <functional>

namespace markroll {

// Message boxes as lines "TITLE: TEXT": information on standard output,
// everything else, the failures, on standard error.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    void show(const QString& text, MessageStyle style, const QString& title = {}) override;

    bool failureShown() const { return failureShown_; }
    bool completionShown() const { return completionShown_; }

    // Set when something else writes to standard error in place, so the
    // message starts on a clean line.
    void setBeforeMessage(std::function<void()> hook) { beforeMessage_ = std::move(hook); }

private:
    bool failureShown_ = false;
    bool completionShown_ = false;
    std::function<void()> beforeMessage_;
};

void printLine(std::FILE* stream, const QString& text);

} // namespace markroll
