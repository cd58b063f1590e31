#include "Cp932.h"
#include "LocalFileSystem.h"
#include "ScriptError.h"
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

std::string streamBytes(const std::vector<std::u16string>& lines)
{
    TempTree tree;
    const std::u16string path = tree.path(u"page.htm");
    auto stream = LocalFileSystem().createTextFile(path, true);
    for (const auto& line : lines)
        stream->writeLine(line);
    stream->close();
    return readBytes(path);
}

} // namespace

TEST(Cp932Stream, FixedJapaneseSignsTakeTheirTwoBytes)
{
    EXPECT_EQ(streamBytes({u"☆"}), "\x81\x99\r\n");
    EXPECT_EQ(streamBytes({u"　"}), "\x81\x40\r\n");
    EXPECT_EQ(streamBytes({u"※"}), "\x81\xA6\r\n");
    EXPECT_EQ(streamBytes({u"『』"}), "\x81\x77\x81\x78\r\n");
}

TEST(Cp932Stream, JapaneseWordsMatchTheSystemConverter)
{
    EXPECT_EQ(streamBytes({u"ショートカット出力", u"の読み込みに失敗しました", u"①㈱ｱｲｳ\\~"}),
              cp932Lines(u"ショートカット出力\nの読み込みに失敗しました\n①㈱ｱｲｳ\\~\n"));
}

TEST(Cp932Stream, EveryLineEndsWithCrLfAndEmbeddedCrLfIsKept)
{
    EXPECT_EQ(streamBytes({u"a\r\nb\r\n", u"", u"c"}), "a\r\nb\r\n\r\n\r\nc\r\n");
}

TEST(Cp932Stream, NoByteOrderMarkAndNothingForNoLines)
{
    EXPECT_EQ(streamBytes({}), "");
    EXPECT_EQ(streamBytes({u"<"}).substr(0, 1), "<");
}

// One-way fallbacks would change the text silently: U+00A5 would come back as
// a backslash, U+2212 as a fullwidth hyphen-minus.
TEST(Cp932Stream, CharactersWithoutExactRoundTripFailWithFiveAndWriteNothingOfTheLine)
{
    const std::u16string unrepresentable[] = {u"¥", u"‾", u"−", u"〜", u"‖", u"é", u"한", u"😀", std::u16string(1, char16_t(0xD800))};
    for (const auto& character : unrepresentable) {
        TempTree tree;
        const std::u16string path = tree.path(u"page.htm");
        auto stream = LocalFileSystem().createTextFile(path, true);
        stream->writeLine(u"before");
        EXPECT_EQ(errorNumberOf([&] { stream->writeLine(u"ok " + character + u" ok"); }), InvalidCall) << utf8(character);
        stream->writeLine(u"after");
        stream->close();
        EXPECT_EQ(readBytes(path), "before\r\nafter\r\n") << utf8(character);
    }
}

TEST(Cp932Stream, RepresentableMeansExactRoundTrip)
{
    EXPECT_TRUE(cp932::isRepresentable(U'\\'));
    EXPECT_TRUE(cp932::isRepresentable(U'～'));
    EXPECT_TRUE(cp932::isRepresentable(U'－'));
    EXPECT_FALSE(cp932::isRepresentable(U'¥'));
    EXPECT_FALSE(cp932::isRepresentable(U'〜'));
    EXPECT_FALSE(cp932::isRepresentable(U'😀'));
}

TEST(Cp932Stream, DecodesShiftJisAndMarksBrokenBytes)
{
    EXPECT_EQ(cp932::decode("\x93\xFA\x96\x7B" "abc"), u"日本abc");
    EXPECT_EQ(cp932::decode("\xA0x"), u"\uFFFDx");
}

TEST(Cp932Stream, ReplacesAnExistingFileFromItsStart)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", std::string(5000, 'x'));
    auto stream = LocalFileSystem().createTextFile(path, true);
    stream->writeLine(u"new");
    stream->close();
    EXPECT_EQ(readBytes(path), "new\r\n");
}

TEST(Cp932Stream, ALinkAtThePathIsReplacedAndItsTargetNeverTouched)
{
    TempTree tree;
    const std::u16string target = tree.file(u"elsewhere/precious.txt", "keep me");
    const std::u16string link = tree.symlink(target, u"out/page.htm");
    auto stream = LocalFileSystem().createTextFile(link, true);
    stream->writeLine(u"page");
    stream->close();
    EXPECT_EQ(readBytes(target), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(tree.fsPath(u"out/page.htm")));
    EXPECT_EQ(readBytes(link), "page\r\n");
}

TEST(Cp932Stream, LinesReachTheFileOnFlushBeforeClose)
{
    TempTree tree;
    const std::u16string path = tree.path(u"page.htm");
    auto stream = LocalFileSystem().createTextFile(path, true);
    stream->writeLine(u"first");
    stream->flush();
    EXPECT_EQ(readBytes(path), "first\r\n");
}

TEST(Cp932Stream, CreateFailuresCarryTheirNumbers)
{
    TempTree tree;
    tree.folder(u"a-folder");
    tree.file(u"a-file", "x");
    LocalFileSystem files;
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"missing/page.htm"), true); }), PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"a-file/page.htm"), true); }), PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"a-folder"), true); }), PermissionDenied);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(u"a-file"), false); }), FileAlreadyExists);
}

TEST(Cp932Stream, AFullDeviceFailsWithDiskFull)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "this system has no /dev/full";
    auto stream = LocalFileSystem().createTextFile(u"/dev/full", true);
    stream->writeLine(u"line");
    EXPECT_EQ(errorNumberOf([&] { stream->flush(); }), DiskFull);
    // Lines were lost, so nothing written later may land after the hole.
    EXPECT_EQ(errorNumberOf([&] { stream->writeLine(u"later"); }), DiskFull);
    EXPECT_EQ(errorNumberOf([&] { stream->close(); }), DiskFull);
    EXPECT_EQ(errorNumberOf([&] { stream->close(); }), 0);
}

TEST(Cp932Stream, WritingAfterCloseIsAnInvalidCall)
{
    TempTree tree;
    auto stream = LocalFileSystem().createTextFile(tree.path(u"page.htm"), true);
    stream->close();
    EXPECT_EQ(errorNumberOf([&] { stream->writeLine(u"late"); }), InvalidCall);
}
