#include "platform/Failure.h"
#include "platform/LocalHost.h"
#include "text/Cp932.h"
#ifndef _WIN32
#include "tests/support/SmallFileSystem.h"
#endif
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

std::string streamBytes(const std::vector<std::u16string>& lines)
{
    TempTree tree;
    const std::u16string path = tree.path(u"page.htm");
    auto stream = LocalHost().createPage(path);
    for (const auto& line : lines)
        stream->writeLine(line);
    stream->close();
    return readBytes(path);
}

} // namespace

TEST(Cp932FileStream, FixedJapaneseSignsTakeTheirTwoBytes)
{
    EXPECT_EQ(streamBytes({u"☆"}), "\x81\x99\r\n");
    EXPECT_EQ(streamBytes({u"　"}), "\x81\x40\r\n");
    EXPECT_EQ(streamBytes({u"※"}), "\x81\xA6\r\n");
    EXPECT_EQ(streamBytes({u"『』"}), "\x81\x77\x81\x78\r\n");
}

TEST(Cp932FileStream, JapaneseWordsMatchTheSystemConverter)
{
    EXPECT_EQ(streamBytes({u"ショートカット出力", u"の読み込みに失敗しました", u"①㈱ｱｲｳ\\~"}),
              cp932Lines(u"ショートカット出力\nの読み込みに失敗しました\n①㈱ｱｲｳ\\~\n"));
}

TEST(Cp932FileStream, EveryLineEndsWithCrLfAndEmbeddedCrLfIsKept)
{
    EXPECT_EQ(streamBytes({u"a\r\nb\r\n", u"", u"c"}), "a\r\nb\r\n\r\n\r\nc\r\n");
}

TEST(Cp932FileStream, NoByteOrderMarkAndNothingForNoLines)
{
    EXPECT_EQ(streamBytes({}), "");
    EXPECT_EQ(streamBytes({u"<"}).substr(0, 1), "<");
}

// One-way fallbacks would change the text silently: U+00A5 would come back as
// a backslash, U+2212 as a fullwidth hyphen-minus.
TEST(Cp932FileStream, CharactersWithoutExactRoundTripAreUnencodableAndWriteNothingOfTheLine)
{
    const std::u16string unrepresentable[] = {u"¥", u"‾", u"−", u"〜", u"‖", u"é", u"한", u"😀", std::u16string(1, char16_t(0xD800))};
    for (const auto& character : unrepresentable) {
        TempTree tree;
        const std::u16string path = tree.path(u"page.htm");
        auto stream = LocalHost().createPage(path);
        stream->writeLine(u"before");
        const auto unencodable = failureOf([&] { stream->writeLine(u"ok " + character + u" ok"); });
        ASSERT_TRUE(unencodable) << utf8(character);
        EXPECT_EQ(unencodable->kind(), FailureKind::UnencodableText) << utf8(character);
        stream->writeLine(u"after");
        stream->close();
        EXPECT_EQ(readBytes(path), "before\r\nafter\r\n") << utf8(character);
    }
}

TEST(Cp932FileStream, RepresentableMeansExactRoundTrip)
{
    EXPECT_TRUE(cp932::isRepresentable(U'\\'));
    EXPECT_TRUE(cp932::isRepresentable(U'～'));
    EXPECT_TRUE(cp932::isRepresentable(U'－'));
    EXPECT_FALSE(cp932::isRepresentable(U'¥'));
    EXPECT_FALSE(cp932::isRepresentable(U'〜'));
    EXPECT_FALSE(cp932::isRepresentable(U'😀'));
}

TEST(Cp932Decoding, ShiftJisAndBrokenBytesAsTheWebReadsThem)
{
    EXPECT_EQ(cp932::decode("\x93\xFA\x96\x7B" "abc\xB1"), u"日本abcｱ");
    EXPECT_EQ(cp932::decode("\xA0x"), u"\uFFFDx");
    EXPECT_EQ(cp932::decode("\x80"), u"\u0080") << "Windows reads 0x80 as U+0080";
    EXPECT_EQ(cp932::decode("\x83\n"), u"\uFFFD\n") << "an ASCII byte after a lead byte is read on its own";
    EXPECT_EQ(cp932::decode("\x83\x7F"), u"\uFFFD\x7F");
    EXPECT_EQ(cp932::decode("\x83\xFFz"), u"\uFFFDz") << "a non-ASCII byte goes with the lead byte";
    EXPECT_EQ(cp932::decode("\x85\x40"), u"\uFFFD@") << "a pair without a character keeps an ASCII trail";
    EXPECT_EQ(cp932::decode("a\x83"), u"a\uFFFD");
}

TEST(Cp932Decoding, StrictDecodingRefusesAnyBrokenByte)
{
    EXPECT_EQ(cp932::decodeStrict("\x93\xFA\x80"), u"日\u0080");
    EXPECT_EQ(cp932::decodeStrict("\x83"), std::nullopt);
    EXPECT_EQ(cp932::decodeStrict("\xA0"), std::nullopt);
    EXPECT_EQ(cp932::decodeStrict(""), u"");
}

TEST(Cp932FileStream, ReplacesAnExistingFileFromItsStart)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", std::string(5000, 'x'));
    auto stream = LocalHost().createPage(path);
    stream->writeLine(u"new");
    stream->close();
    EXPECT_EQ(readBytes(path), "new\r\n");
}

#ifndef _WIN32
// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(Cp932FileStream, ALinkAtThePathIsReplacedAndItsTargetNeverTouched)
{
    TempTree tree;
    const std::u16string target = tree.file(u"elsewhere/precious.txt", "keep me");
    const std::u16string link = tree.symlink(target, u"out/page.htm");
    auto stream = LocalHost().createPage(link);
    stream->writeLine(u"page");
    stream->close();
    EXPECT_EQ(readBytes(target), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(tree.fsPath(u"out/page.htm")));
    EXPECT_EQ(readBytes(link), "page\r\n");
}
#endif

namespace {

std::vector<std::string> entriesOf(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Readers see the previous page until the new one is whole.
TEST(Cp932FileStream, TheNameKeepsThePreviousFileUntilClose)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", "previous");
    auto stream = LocalHost().createPage(path);
    // More than the stream keeps back, so it reaches the file.
    stream->writeLine(u"first");
    stream->writeLine(std::u16string(70000, u'x'));
    EXPECT_EQ(readBytes(path), "previous");
    const auto during = entriesOf(tree.fsPath());
    ASSERT_EQ(during.size(), 2u);
    // Hidden, and as short whatever the page's own name.
    EXPECT_TRUE(during[0].starts_with(".mr") && during[0].ends_with(".tmp") && during[0].size() == 15) << during[0];
    EXPECT_TRUE(readFileBytes(tree.fsPath() / during[0]).starts_with("first\r\nxxx"));
    stream->close();
    EXPECT_EQ(readBytes(path), "first\r\n" + std::string(70000, 'x') + "\r\n");
    EXPECT_EQ(entriesOf(tree.fsPath()), std::vector<std::string>{"page.htm"});
}

TEST(Cp932FileStream, AStreamDroppedWithoutCloseLeavesNothingBehind)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", "previous");
    LocalHost().createPage(path)->writeLine(u"never finished");
    EXPECT_EQ(readBytes(path), "previous");
    EXPECT_EQ(entriesOf(tree.fsPath()), std::vector<std::string>{"page.htm"});
}

#ifndef _WIN32
// POSIX only: Windows has no umask.
TEST(Cp932FileStream, ANewPageGetsTheUsualPermissions)
{
    TempTree tree;
    const mode_t previous = ::umask(027);
    auto stream = LocalHost().createPage(tree.path(u"page.htm"));
    ::umask(previous);
    stream->close();
    EXPECT_EQ(std::filesystem::status(tree.fsPath(u"page.htm")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
}
#endif

TEST(Cp932FileStream, AFolderOfThePagesNameIsRefusedBeforeAnythingIsWritten)
{
    TempTree tree;
    tree.folder(u"page.htm");
    EXPECT_EQ(errorOf([&] { LocalHost().createPage(tree.path(u"page.htm")); }), std::errc::is_a_directory);
    EXPECT_EQ(entriesOf(tree.fsPath()), std::vector<std::string>{"page.htm"});
}

TEST(Cp932FileStream, CreateFailuresCarryTheirNumbers)
{
    TempTree tree;
    tree.folder(u"a-folder");
    tree.file(u"a-file", "x");
    LocalHost files;
    EXPECT_EQ(errorOf([&] { files.createPage(tree.path(u"missing/page.htm")); }), std::errc::no_such_file_or_directory);
    const std::error_code underAFile = errorOf([&] { files.createPage(tree.path(u"a-file/page.htm")); });
    EXPECT_TRUE(underAFile == std::errc::not_a_directory || underAFile == std::errc::no_such_file_or_directory)
        << underAFile.message();
    EXPECT_EQ(errorOf([&] { files.createPage(tree.path(u"a-folder")); }), std::errc::is_a_directory);
}

#ifndef _WIN32
// POSIX only: a small file system is mounted for a real full disk.
TEST(Cp932FileStream, AFullDiskFailsWithNoSpaceAndThePageKeepsWhatFitted)
{
    TempTree tree;
    const SmallFileSystem disk(tree.fsPath(u"small"), "8k");
    if (!disk.mounted())
        GTEST_SKIP() << SmallFileSystem::SkipReason;
    auto stream = LocalHost().createPage(tree.path(u"small/page.htm"));
    const std::u16string line(1000, u'x');
    std::error_code failure;
    for (int i = 0; i < 100 && !failure; ++i)
        failure = errorOf([&] { stream->writeLine(line); });
    EXPECT_EQ(failure, std::errc::no_space_on_device);
    // Lines were lost, so nothing written later may land after the hole.
    EXPECT_EQ(errorOf([&] { stream->writeLine(u"later"); }), std::errc::no_space_on_device);
    EXPECT_EQ(errorOf([&] { stream->close(); }), std::errc::no_space_on_device);
    EXPECT_FALSE(failureOf([&] { stream->close(); }));
    const std::string page = readBytes(tree.path(u"small/page.htm"));
    EXPECT_GT(page.size(), 0u);
    EXPECT_EQ(page.find("later"), std::string::npos);
}
#endif

TEST(Cp932FileStream, WritingAfterCloseIsRefused)
{
    TempTree tree;
    auto stream = LocalHost().createPage(tree.path(u"page.htm"));
    stream->close();
    EXPECT_EQ(errorOf([&] { stream->writeLine(u"late"); }), std::errc::bad_file_descriptor);
}
