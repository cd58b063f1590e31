#include "ConsoleMessageBoxes.h"

#include "Unicode.h"

namespace markroll {

void printLine(std::FILE* stream, std::string_view utf8Text)
{
    std::fwrite(utf8Text.data(), 1, utf8Text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void ConsoleMessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    if (beforeMessage_)
        beforeMessage_();
    // A two-line box becomes one line.
    std::u16string oneLine(text);
    for (std::size_t at = oneLine.find(u"\r\n"); at != std::u16string::npos; at = oneLine.find(u"\r\n", at))
        oneLine.replace(at, 2, u" ");
    const std::u16string line = std::u16string(effectiveTitle(title)) + u": " + oneLine;
    printLine(style == MessageStyle::Information ? stdout : stderr, unicode::encodeUtf8(line));
}

} // namespace markroll
