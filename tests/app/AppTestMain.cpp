#include <QApplication>
#include <gtest/gtest.h>

// The window tests need a QApplication; listing the tests does not, and must
// not need a display.
int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
