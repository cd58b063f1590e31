#include "cli/LastResort.h"

#include "generator/MessageBoxes.h"
#include "generator/Messages.h"
#include "platform/files/PendingFile.h"
#include "platform/files/StandardStreams.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

namespace markroll {
namespace {

// "Markroll: エラーが発生しました" and a line end in UTF-8, made when the
// program is compiled: where the runtime gives up, nothing may be allocated.
struct Line {
    std::array<char, 128> bytes{};
    std::size_t length = 0;

    // Every unit of these texts lies in the Basic Multilingual Plane.
    constexpr void append(std::u16string_view text)
    {
        for (const char16_t unit : text) {
            if (unit < 0x80) {
                bytes[length++] = char(unit);
            } else if (unit < 0x800) {
                bytes[length++] = char(0xC0 | (unit >> 6));
                bytes[length++] = char(0x80 | (unit & 0x3F));
            } else {
                bytes[length++] = char(0xE0 | (unit >> 12));
                bytes[length++] = char(0x80 | ((unit >> 6) & 0x3F));
                bytes[length++] = char(0x80 | (unit & 0x3F));
            }
        }
    }
};

constexpr Line lastLine = [] {
    Line line;
    line.append(ApplicationTitle);
    line.append(u": ");
    line.append(messages::ErrorOccurred);
    line.append(u"\n");
    return line;
}();

[[noreturn]] void endAsFailure()
{
    pendingfile::removeTrackedNow();
    writeToStandardError(lastLine.bytes.data(), lastLine.length);
    std::_Exit(1);
}

} // namespace

void installLastResort() { std::set_terminate(endAsFailure); }

} // namespace markroll
