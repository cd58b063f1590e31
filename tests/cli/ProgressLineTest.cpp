#include "ProgressLine.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace markroll;

namespace {

// What a ProgressLine printed, with time set by the test.
struct Printed {
    std::FILE* file = std::tmpfile();
    qint64 now = 0;
    ~Printed() { std::fclose(file); }
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
    ProgressLine progress(printed.file, true, [&] { return printed.now; });
    progress.update(1, 999);
    printed.now = 999;
    progress.update(2, 999);
    EXPECT_EQ(printed.text(), "");
    printed.now = 1000;
    progress.update(3, 999);
    printed.now = 1050;
    progress.update(4, 999);  // too soon to redraw
    printed.now = 1100;
    progress.update(5, 999);
    progress.update(999, 999);  // the last one always shows
    progress.clear();
    EXPECT_EQ(printed.text(), "\r\033[K3 / 999 folders\r\033[K5 / 999 folders\r\033[K999 / 999 folders\r\033[K");
}

TEST(ProgressLine, NothingReachesAStreamThatIsNoTerminal)
{
    Printed printed;
    printed.now = 5000;
    ProgressLine progress(printed.file, false, [&] { return printed.now; });
    progress.update(1, 2);
    progress.clear();
    EXPECT_EQ(printed.text(), "");
}

TEST(ProgressLine, ClearingWhatWasNeverShownPrintsNothing)
{
    Printed printed;
    ProgressLine progress(printed.file, true, [&] { return printed.now; });
    progress.update(1, 2);
    progress.clear();
    EXPECT_EQ(printed.text(), "");
}
