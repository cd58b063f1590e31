// What differs on Windows: backslash joins, drive letters, and the failures
// of opening a folder or creating the page.

#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/LocalHost.h"
#include "tests/support/FaultyHost.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace markroll;
using namespace markroll::test;

TEST(WindowsPath, JoinsUseOneBackslashAndADriveRootDoublesIt)
{
    EXPECT_EQ(joinPath(u"C:\\Favorites", u"News"), u"C:\\Favorites\\News");
    EXPECT_EQ(joinPath(u"C:\\", u"News"), u"C:\\\\News");
    EXPECT_EQ(readableHostText(std::u16string{u'a', char16_t(0xDC93)}), (std::u16string{u'a', char16_t(0xDC93)}))
        << "Windows names are UTF-16 already: a lone surrogate stays";
}

TEST(WindowsPath, AFavoritesPathWithADriveLetterIsWalkedAsTyped)
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

TEST(WindowsPath, AMissingDriveIsAMissingFolder)
{
    const std::error_code missing = errorOf([] { LocalHost().listSubfolders(u"Q:\\no\\such\\drive"); });
    EXPECT_TRUE(isNoSuchEntry(missing)) << missing.category().name() << " " << missing.value();
    // Favorites on a drive that is not plugged in: one message, and nothing
    // is written anywhere.
    GeneratorHarness harness;
    harness.run(u"Q:\\no\\such\\drive", u"Q:\\nor\\here");
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{errorOccurredBox()});
}

TEST(WindowsPath, AFileIsNoFolderNotAMissingOne)
{
    TempTree tree;
    tree.file(u"afile", "x");
    const std::error_code error = errorOf([&] { LocalHost().listSubfolders(tree.path(u"afile")); });
    EXPECT_EQ(error, std::error_code(ERROR_DIRECTORY, std::system_category())) << error.message();
}

TEST(WindowsPath, CreateFailuresCarryTheirErrors)
{
    TempTree tree;
    tree.folder(u"a-folder");
    LocalHost files;
    const std::error_code missing = errorOf([&] { files.createOutputFile(tree.path(u"missing\\page.htm"), OutputFileKind::Page); });
    EXPECT_TRUE(isNoSuchEntry(missing)) << missing.category().name() << " " << missing.value();
    EXPECT_EQ(errorOf([&] { files.createOutputFile(tree.path(u"a-folder"), OutputFileKind::Page); }), std::errc::is_a_directory);
    // A name Windows refuses is refused when the page is moved to it: the
    // temporary file's own name is always one it takes, and it is removed.
    const auto badName = failureOf([&] {
        auto page = files.createOutputFile(tree.path(u"bad<name>.htm"), OutputFileKind::Page);
        page->write("<HTML>\r\n");
        page->commit();
    });
    ASSERT_TRUE(badName);
    EXPECT_EQ(badName->kind(), FailureKind::System);
    EXPECT_EQ(filesIn(tree.path()), std::vector<std::string>{"a-folder"});
}
