// The extended-length form Windows is given every path in: what the OS would
// do to a path is done here, and no name is changed. Pure text, so it runs on
// every platform.
#include "platform/files/ExtendedPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace markroll;
using markroll::test::utf8;

namespace {

std::string extended(std::u16string_view path, std::u16string_view base = {})
{
    return utf8(extendedLengthPath(path, base));
}

} // namespace

TEST(ExtendedPath, DrivePathsGetThePrefixAndLoseOnlyWhatWin32WouldIgnore)
{
    EXPECT_EQ(extended(u"C:\\Favorites\\News"), R"(\\?\C:\Favorites\News)");
    EXPECT_EQ(extended(u"C:\\\\News"), R"(\\?\C:\News)") << "a join onto a drive's root doubles the backslash";
    EXPECT_EQ(extended(u"C:\\Favorites\\"), R"(\\?\C:\Favorites)");
    EXPECT_EQ(extended(u"C:/a/./b/../c"), R"(\\?\C:\a\c)");
    EXPECT_EQ(extended(u"C:\\..\\..\\a"), R"(\\?\C:\a)") << "nothing goes above the root";
    EXPECT_EQ(extended(u"C:\\"), R"(\\?\C:\)") << "a root keeps its backslash: without it, it is the volume";
    EXPECT_EQ(extended(u"z:\\a\\.."), R"(\\?\z:\)");
}

TEST(ExtendedPath, NamesEndingInADotOrASpaceAndJapaneseNamesStayAsTheyAre)
{
    EXPECT_EQ(extended(u"C:\\末尾の点.\\末尾の空白 \\名前の点..url"), R"(\\?\C:\末尾の点.\末尾の空白 \名前の点..url)");
    EXPECT_EQ(extended(u"C:\\...\\a"), R"(\\?\C:\...\a)") << "only \".\" and \"..\" are steps";
}

TEST(ExtendedPath, UncPathsGetTheUncPrefix)
{
    EXPECT_EQ(extended(u"\\\\server\\share\\Favorites\\a"), R"(\\?\UNC\server\share\Favorites\a)");
    EXPECT_EQ(extended(u"//server/share/x/../y"), R"(\\?\UNC\server\share\y)");
    EXPECT_EQ(extended(u"\\\\server\\share"), R"(\\?\UNC\server\share\)");
}

TEST(ExtendedPath, DeviceFormsAreLeftAsTheyStand)
{
    EXPECT_EQ(extended(u"\\\\?\\Z:\\x\\..\\y."), R"(\\?\Z:\x\..\y.)");
    EXPECT_EQ(extended(u"\\\\?\\UNC\\server\\share"), R"(\\?\UNC\server\share)");
    EXPECT_EQ(extended(u"\\\\.\\COM1"), R"(\\.\COM1)");
}

TEST(ExtendedPath, RelativePathsAreJoinedToWhatTheOsSaysTheyAreRelativeTo)
{
    EXPECT_EQ(relativeStartOf(u"C:\\a"), u"");
    EXPECT_EQ(relativeStartOf(u"\\\\server\\share"), u"");
    EXPECT_EQ(relativeStartOf(u"fav\\sub"), u".");
    EXPECT_EQ(relativeStartOf(u"D:fav"), u"D:");
    EXPECT_EQ(relativeStartOf(u"\\fav"), u"\\");

    EXPECT_EQ(extended(u"fav\\sub", u"C:\\work"), R"(\\?\C:\work\fav\sub)");
    EXPECT_EQ(extended(u"..\\fav", u"C:\\work\\here"), R"(\\?\C:\work\fav)");
    EXPECT_EQ(extended(u"D:fav", u"D:\\current"), R"(\\?\D:\current\fav)");
    EXPECT_EQ(extended(u"\\fav", u"C:\\"), R"(\\?\C:\fav)");
    EXPECT_EQ(extended(u"fav", u"\\\\server\\share\\work"), R"(\\?\UNC\server\share\work\fav)");
    EXPECT_EQ(extended(u"fav", u"\\\\?\\C:\\long"), R"(\\?\C:\long\fav)")
        << "a current folder in the extended form already";
}
