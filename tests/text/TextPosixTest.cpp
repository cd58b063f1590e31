#include "text/AsciiRuns.h"
#include "text/NameOrder.h"
#include "text/Unicode.h"
#include "text/UpperCase.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>

using namespace markroll;
using namespace markroll::unicode;

// glibc's own case table is an independent reading of the same Unicode data;
// where both know a letter they must agree.
TEST(TextPosix, AgreesWithTheCLibraryOnEveryFifthUnitOfTheLetterBlocks)
{
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    int compared = 0;
    for (char16_t unit = 0x41; unit < 0x2D00; unit += 5) {
        const auto expected = std::towupper(wint_t(unit));
        if (expected > 0xFFFF)
            continue;
        EXPECT_EQ(int(toUpper(unit)), int(expected)) << "U+" << std::hex << int(unit);
        ++compared;
    }
    for (char16_t unit = 0xFF21; unit < 0xFF5B; ++unit, ++compared)
        EXPECT_EQ(int(toUpper(unit)), int(std::towupper(wint_t(unit)))) << "U+" << std::hex << int(unit);
    EXPECT_GT(compared, 300);
    std::setlocale(LC_CTYPE, "C");
}
