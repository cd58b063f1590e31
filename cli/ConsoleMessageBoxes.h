#pragma once

#include "generator/MessageBoxes.h"
#include "platform/files/StandardStreams.h"

#include <cstdio>
#include <functional>
#include <string_view>

namespace markroll {

// Message boxes as lines "TITLE: TEXT" in UTF-8: information on standard
// output, everything else, the failures, on standard error. A failure told
// of first adds what failed: "TITLE: TEXT (OBJECT: REASON)". One message is
// one line, whatever names it holds.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    // A message for a stream the program was started without is unshown.
    explicit ConsoleMessageBoxes(ClosedStandardStreams closed = {}) : closed_(closed) {}
    void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) override;
    void showFailure(std::u16string_view text, const Failure& cause, std::u16string_view title = {}) override;

    // Set when something else writes to standard error in place, so the
    // message starts on a clean line.
    void setBeforeMessage(std::function<void()> hook) { beforeMessage_ = std::move(hook); }
    // Information goes to standard error too, as standard output carries
    // the bookmark file.
    void tellInformationOnStandardError() { informationOnError_ = true; }
    // Some message could not be written (its stream closed, say).
    bool someUnshown() const { return unshown_; }

private:
    void showLine(std::u16string_view text, MessageStyle style, std::u16string_view title, std::u16string_view cause);

    std::function<void()> beforeMessage_;
    ClosedStandardStreams closed_;
    bool unshown_ = false;
    bool informationOnError_ = false;
};

// False when the line could not be written whole.
bool printLine(std::FILE* stream, std::string_view utf8Text);

} // namespace markroll
