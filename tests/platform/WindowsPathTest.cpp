// What differs on Windows: backslash joins, drive letters, and CreateFile's
// failures mapped to the same numbers as on Linux.
#ifdef _WIN32

#include "FaultyPlatform.h"
#include "HostPath.h"
#include "LocalFileSystem.h"
#include "ScriptError.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

TEST(WindowsPaths, JoinsUseOneBackslashAndADriveRootDoublesIt)
{
    EXPECT_EQ(joinPath(u"C:\\Favorites", u"News"), u"C:\\Favorites\\News");
    EXPECT_EQ(joinPath(u"C:\\", u"News"), u"C:\\\\News");
    EXPECT_EQ(readableHostText(std::u16string{u'a', char16_t(0xDC93)}), (std::u16string{u'a', char16_t(0xDC93)}))
        << "Windows names are UTF-16 already: a lone surrogate stays";
}

TEST(WindowsPaths, AFavoritesPathWithADriveLetterIsWalkedAsTyped)
{
    TempTree tree;
    tree.shortcut(u"fav/sub/a.url", u"http://a/");
    const std::u16string favorites = tree.path(u"fav");
    ASSERT_EQ(favorites[1], u':');
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(favorites, out.path());
    EXPECT_NE(page.find(utf8(favorites) + "\\sub</B>"), std::string::npos) << page;
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{completedBox()});
}

TEST(WindowsPaths, AMissingDriveIsAMissingFolder)
{
    EXPECT_EQ(errorNumberOf([] { LocalFileSystem().getFolder(u"Q:\\no\\such\\drive"); }), PathNotFound);
    // Favorites on a drive that is not plugged in: one message, and nothing
    // is written anywhere.
    GeneratorHarness harness;
    harness.run(u"Q:\\no\\such\\drive", u"Q:\\nor\\here");
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{errorOccurredBox()});
}

TEST(WindowsPaths, CreateFailuresCarryTheNumbersLinuxGives)
{
    TempTree tree;
    tree.folder(u"a-folder");
    tree.file(u"a-file", "x");
    LocalFileSystem files;
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"missing\\page.htm"), true); }), PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"a-folder"), true); }), PermissionDenied);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"a-file"), false); }), FileAlreadyExists);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"bad<name>.htm"), true); }), BadFileName);
}

#endif
