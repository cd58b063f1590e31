#include "cli/ConsoleMessageBoxes.h"

#include "cli/Console.h"
#include "cli/EscapedText.h"
#include "platform/files/HostPath.h"
#include "text/Unicode.h"

#include <utility>

namespace markroll {

bool printLine(std::FILE* stream, std::string_view utf8Text)
{
    if (writeToConsole(stream, utf8Text))
        return true;
    const bool written = std::fwrite(utf8Text.data(), 1, utf8Text.size(), stream) == utf8Text.size() &&
                         std::fputc('\n', stream) != EOF;
    // A line that could not go out is not kept for a later try.
    const bool flushed = std::fflush(stream) == 0;
    if (!written || !flushed)
        std::clearerr(stream);
    return written && flushed;
}

void ConsoleMessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    showLine(text, style, title, {});
}

void ConsoleMessageBoxes::showFailure(std::u16string_view text, const Failure& cause, std::u16string_view title)
{
    showLine(text, MessageStyle::Exclamation, title, readableHostText(cause.description()));
}

void ConsoleMessageBoxes::showLine(std::u16string_view text, MessageStyle style, std::u16string_view title,
                                   std::u16string_view cause)
{
    if (beforeMessage_)
        beforeMessage_();
    std::u16string line = std::u16string(effectiveTitle(title)) + u": ";
    // A two-line box becomes one line.
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.substr(at, 2) == u"\r\n") {
            line.push_back(u' ');
            ++at;
        } else {
            line.push_back(text[at]);
        }
    }
    if (!cause.empty())
        line += u" (" + std::u16string(cause) + u")";
    const bool information = style == MessageStyle::Information && !informationOnError_;
    if ((information ? closed_.output : closed_.error) ||
        !printLine(information ? stdout : stderr, unicode::encodeUtf8(escapedForOneLine(line))))
        unshown_ = true;
}

} // namespace markroll
