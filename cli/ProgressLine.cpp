#include "ProgressLine.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace markroll {
namespace {
constexpr qint64 QuietMilliseconds = 1000;
constexpr qint64 RedrawMilliseconds = 100;

QElapsedTimer startedTimer()
{
    QElapsedTimer timer;
    timer.start();
    return timer;
}
} // namespace

ProgressLine::ProgressLine(std::FILE* stream)
    : ProgressLine(stream, isatty(fileno(stream)) != 0, [timer = startedTimer()] { return timer.elapsed(); })
{
}

ProgressLine::ProgressLine(std::FILE* stream, bool isTerminal, std::function<qint64()> elapsedMilliseconds)
    : stream_(stream), isTerminal_(isTerminal), elapsed_(std::move(elapsedMilliseconds))
{
}

void ProgressLine::update(int done, int total)
{
    const qint64 now = elapsed_();
    if (!isTerminal_ || now < QuietMilliseconds)
        return;
    if (shown_ && done < total && now - lastDrawn_ < RedrawMilliseconds)
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
