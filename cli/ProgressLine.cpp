#include "cli/ProgressLine.h"

#include "cli/Console.h"

namespace markroll {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds QuietTime{1000};
constexpr milliseconds RedrawTime{100};

ProgressLine::Clock startedClock()
{
    return [start = std::chrono::steady_clock::now()] {
        return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    };
}

} // namespace

ProgressLine::ProgressLine(std::FILE* stream) : ProgressLine(stream, isTerminal(stream), startedClock()) {}

ProgressLine::ProgressLine(std::FILE* stream, bool isTerminal, Clock elapsed)
    : stream_(stream), isTerminal_(isTerminal), elapsed_(std::move(elapsed))
{
}

void ProgressLine::update(int done, int total)
{
    const milliseconds now = elapsed_();
    if (!isTerminal_ || now < QuietTime)
        return;
    if (shown_ && done < total && now - lastDrawn_ < RedrawTime)
        return;
    lastDrawn_ = now;
    shown_ = true;
    std::fprintf(stream_, "\r\033[K%d / %d folders", done, total);
    std::fflush(stream_);
}

void ProgressLine::clear()
{
    if (!shown_)
        return;
    shown_ = false;
    std::fprintf(stream_, "\r\033[K");
    std::fflush(stream_);
}

} // namespace markroll
