#include "cli/ProgressLine.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace markroll;
using std::chrono::milliseconds;

namespace {

// What a ProgressLine printed, with time set by the test.
struct Printed {
    std::FILE* file = std::tmpfile();
    milliseconds now{0};
    ~Printed() { std::fclose(file); }
    ProgressLine::Clock clock()
    {
        return [this] { return now; };
    }
    std::string text()
    {
        std::fflush(file);
        std::rewind(file);
        std::string all;
        for (int c; (c = std::fgetc(file)) != EOF;)
            all.push_back(char(c));
        return all;
    }
};

} // namespace

TEST(ProgressLine, QuietForTheFirstSecondThenOneLineUpdatedInPlaceAndCleared)
{
    Printed printed;
    ProgressLine progress(printed.file, true, printed.clock());
    progress.update(1, 999);
    printed.now = milliseconds(999);
    progress.update(2, 999);
    EXPECT_EQ(printed.text(), "");
    printed.now = milliseconds(1000);
    progress.update(3, 999);
    printed.now = milliseconds(1050);
    progress.update(4, 999);  // too soon to redraw
    printed.now = milliseconds(1100);
    progress.update(5, 999);
    progress.update(999, 999);  // the last one always shows
    progress.clear();
    EXPECT_EQ(printed.text(), "\r\033[K3 / 999 folders\r\033[K5 / 999 folders\r\033[K999 / 999 folders\r\033[K");
}

TEST(ProgressLine, NothingReachesAStreamThatIsNoTerminal)
{
    Printed printed;
    printed.now = milliseconds(5000);
    ProgressLine progress(printed.file, false, printed.clock());
    progress.update(1, 2);
    progress.clear();
    EXPECT_EQ(printed.text(), "");
}

TEST(ProgressLine, ClearingWhatWasNeverShownPrintsNothing)
{
    Printed printed;
    ProgressLine progress(printed.file, true, printed.clock());
    progress.update(1, 2);
    progress.clear();
    EXPECT_EQ(printed.text(), "");
}
