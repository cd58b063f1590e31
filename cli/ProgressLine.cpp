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
}

ProgressLine::ProgressLine(std::FILE* stream) : stream_(stream), isTerminal_(isatty(fileno(stream)) != 0)
{
    sinceStart_.start();
}

void ProgressLine::update(int done, int total)
{
    const qint64 now = sinceStart_.elapsed();
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
