#include "cli/LastResort.h"

#include "generator/MessageBoxes.h"
#include "generator/Messages.h"
#include "platform/files/PendingFile.h"
#include "platform/files/StandardStreams.h"
#include "text/Unicode.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

namespace markroll {
namespace {

// "Markroll: エラーが発生しました" and a line end in UTF-8, made when the last
// resort is installed: where the runtime gives up, nothing may be allocated.
std::array<char, 128> lastLine{};
std::size_t lastLineLength = 0;

// Every unit of these texts lies in the Basic Multilingual Plane.
void appendToLastLine(std::u16string_view text)
{
    for (const char16_t unit : text)
        lastLineLength += unicode::encodeUtf8(char32_t(unit), lastLine.data() + lastLineLength);
}

[[noreturn]] void endAsFailure()
{
    pendingfile::removeTrackedNow();
    writeToStandardError(lastLine.data(), lastLineLength);
    std::_Exit(1);
}

} // namespace

void installLastResort()
{
    if (lastLineLength == 0) {
        appendToLastLine(ApplicationTitle);
        appendToLastLine(u": ");
        appendToLastLine(messages::ErrorOccurred);
        appendToLastLine(u"\n");
    }
    std::set_terminate(endAsFailure);
}

} // namespace markroll
