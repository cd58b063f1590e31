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
    printLine(style == MessageStyle::Information ? stdout : stderr, unicode::encodeUtf8(line));
}

} // namespace markroll
