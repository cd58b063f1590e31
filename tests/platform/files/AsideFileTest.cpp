#include "platform/Failure.h"
#include "platform/LocalHost.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

std::unique_ptr<OutputFile> createPage(std::u16string_view path)
{
    return LocalHost().createOutputFile(path, OutputFileKind::Page);
}

std::vector<std::string> entriesOf(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(AsideFile, BytesGoInAsTheyAreWithNothingBeforeThem)
{
    TempTree tree;
    const std::u16string path = tree.path(u"page.htm");
    auto page = createPage(path);
    page->write("\x82\xA0\r\n");
    page->write("");
    page->write("b\n");
    page->commit();
    EXPECT_EQ(readBytes(path), "\x82\xA0\r\nb\n");
    auto empty = createPage(path);
    empty->commit();
    EXPECT_EQ(readBytes(path), "");
}

TEST(AsideFile, ReplacesAnExistingFileFromItsStart)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", std::string(5000, 'x'));
    auto stream = createPage(path);
    stream->write("new\r\n");
    stream->commit();
    EXPECT_EQ(readBytes(path), "new\r\n");
}

// Readers see the previous page until the new one is whole.
TEST(AsideFile, TheNameKeepsThePreviousFileUntilCommit)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", "previous");
    auto stream = createPage(path);
    // More than the stream keeps back, so it reaches the file.
    stream->write("first\r\n");
    stream->write(std::string(70000, 'x') + "\r\n");
    EXPECT_EQ(readBytes(path), "previous");
    const auto during = entriesOf(tree.fsPath());
    ASSERT_EQ(during.size(), 2u);
    // Hidden, and as short whatever the page's own name.
    EXPECT_TRUE(during[0].starts_with(".mr") && during[0].ends_with(".tmp") && during[0].size() == 15) << during[0];
    EXPECT_TRUE(readFileBytes(tree.fsPath() / during[0]).starts_with("first\r\nxxx"));
    stream->commit();
    EXPECT_EQ(readBytes(path), "first\r\n" + std::string(70000, 'x') + "\r\n");
    EXPECT_EQ(entriesOf(tree.fsPath()), std::vector<std::string>{"page.htm"});
}

TEST(AsideFile, AStreamDroppedWithoutCommitLeavesNothingBehind)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", "previous");
    createPage(path)->write("never finished\r\n");
    EXPECT_EQ(readBytes(path), "previous");
    EXPECT_EQ(entriesOf(tree.fsPath()), std::vector<std::string>{"page.htm"});
}

TEST(AsideFile, AFolderOfThePagesNameIsRefusedBeforeAnythingIsWritten)
{
    TempTree tree;
    tree.folder(u"page.htm");
    EXPECT_EQ(errorOf([&] { createPage(tree.path(u"page.htm")); }), std::errc::is_a_directory);
    EXPECT_EQ(entriesOf(tree.fsPath()), std::vector<std::string>{"page.htm"});
}

TEST(AsideFile, CreateFailuresCarryTheirNumbers)
{
    TempTree tree;
    tree.folder(u"a-folder");
    tree.file(u"a-file", "x");
    LocalHost files;
    EXPECT_EQ(errorOf([&] { files.createOutputFile(tree.path(u"missing/page.htm"), OutputFileKind::Page); }), std::errc::no_such_file_or_directory);
    const std::error_code underAFile = errorOf([&] { files.createOutputFile(tree.path(u"a-file/page.htm"), OutputFileKind::Page); });
    EXPECT_TRUE(underAFile == std::errc::not_a_directory || underAFile == std::errc::no_such_file_or_directory)
        << underAFile.message();
    EXPECT_EQ(errorOf([&] { files.createOutputFile(tree.path(u"a-folder"), OutputFileKind::Page); }), std::errc::is_a_directory);
}

TEST(AsideFile, WritingAfterCommitIsRefused)
{
    TempTree tree;
    auto stream = createPage(tree.path(u"page.htm"));
    stream->commit();
    EXPECT_EQ(errorOf([&] { stream->write("late\r\n"); }), std::errc::bad_file_descriptor);
}

// Whole or nothing: until commit() the previous file stands, and a file
// dropped without commit() leaves nothing behind.
TEST(AsideFile, ThePreviousFileStandsUntilCommitAndADroppedOneLeavesNothing)
{
    TempTree tree;
    const std::u16string path = tree.file(u"out/bookmarks.html", "previous");
    {
        auto file = LocalHost().createOutputFile(path, OutputFileKind::BookmarkFile);
        file->write("never finished\n");
        EXPECT_EQ(readBytes(path), "previous");
    }
    EXPECT_EQ(filesIn(tree.path(u"out")), std::vector<std::string>{"bookmarks.html"});
    EXPECT_EQ(readBytes(path), "previous");
}
