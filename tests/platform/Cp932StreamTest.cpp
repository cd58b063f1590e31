#include "Cp932.h"
#include "Cp932FileStream.h"
#include "LocalFileSystem.h"
#include "ScriptError.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

QByteArray streamBytes(const QStringList& lines)
{
    TempTree tree;
    const QString path = tree.path(QStringLiteral("page.htm"));
    auto stream = LocalFileSystem().createTextFile(path, true);
    for (const QString& line : lines)
        stream->writeLine(line);
    stream->close();
    return readBytes(path);
}

} // namespace

TEST(Cp932Stream, FixedJapaneseSignsTakeTheirTwoBytes)
{
    EXPECT_EQ(streamBytes({QStringLiteral("☆")}), QByteArray("\x81\x99\r\n"));
    EXPECT_EQ(streamBytes({QStringLiteral("　")}), QByteArray("\x81\x40\r\n"));
    EXPECT_EQ(streamBytes({QStringLiteral("※")}), QByteArray("\x81\xA6\r\n"));
    EXPECT_EQ(streamBytes({QStringLiteral("『』")}), QByteArray("\x81\x77\x81\x78\r\n"));
}

TEST(Cp932Stream, JapaneseWordsMatchTheSystemConverter)
{
    const QString words = QStringLiteral("ショートカット出力\nの読み込みに失敗しました\n①㈱ｱｲｳ\\~");
    EXPECT_EQ(streamBytes(words.split(QLatin1Char('\n'))), cp932Lines(words + QLatin1Char('\n')));
}

TEST(Cp932Stream, EveryLineEndsWithCrLfAndEmbeddedCrLfIsKept)
{
    EXPECT_EQ(streamBytes({QStringLiteral("a\r\nb\r\n"), QString(), QStringLiteral("c")}),
              QByteArray("a\r\nb\r\n\r\n\r\nc\r\n"));
}

TEST(Cp932Stream, NoByteOrderMarkAndNothingForNoLines)
{
    EXPECT_EQ(streamBytes({}), QByteArray());
    EXPECT_EQ(streamBytes({QStringLiteral("<")}).left(1), QByteArray("<"));
}

// One-way fallbacks would change the text silently: U+00A5 would come back as
// a backslash, U+2212 as a fullwidth hyphen-minus.
TEST(Cp932Stream, CharactersWithoutExactRoundTripFailWithFiveAndWriteNothingOfTheLine)
{
    const QStringList unrepresentable{QStringLiteral("¥"),  QStringLiteral("‾"),  QStringLiteral("−"),
                                      QStringLiteral("〜"), QStringLiteral("‖"),  QStringLiteral("é"),
                                      QStringLiteral("한"), QStringLiteral("😀"), QString(QChar(0xD800))};
    for (const QString& character : unrepresentable) {
        TempTree tree;
        const QString path = tree.path(QStringLiteral("page.htm"));
        auto stream = LocalFileSystem().createTextFile(path, true);
        stream->writeLine(QStringLiteral("before"));
        EXPECT_EQ(errorNumberOf([&] { stream->writeLine(QStringLiteral("ok ") + character + QStringLiteral(" ok")); }),
                  InvalidCall)
            << character.toStdString();
        stream->writeLine(QStringLiteral("after"));
        stream->close();
        EXPECT_EQ(readBytes(path), QByteArray("before\r\nafter\r\n")) << character.toStdString();
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
    EXPECT_EQ(cp932::decode("\x93\xFA\x96\x7B" "abc"), QStringLiteral("日本abc"));
    EXPECT_EQ(cp932::decode("\xA0x"), QStringLiteral("\uFFFDx"));
}

TEST(Cp932Stream, ReplacesAnExistingFileFromItsStart)
{
    TempTree tree;
    const QString path = tree.file(QStringLiteral("page.htm"), QByteArray(5000, 'x'));
    auto stream = LocalFileSystem().createTextFile(path, true);
    stream->writeLine(QStringLiteral("new"));
    stream->close();
    EXPECT_EQ(readBytes(path), QByteArray("new\r\n"));
}

TEST(Cp932Stream, ALinkAtThePathIsReplacedAndItsTargetNeverTouched)
{
    TempTree tree;
    const QString target = tree.file(QStringLiteral("elsewhere/precious.txt"), "keep me");
    const QString link = tree.symlink(target, QStringLiteral("out/page.htm"));
    auto stream = LocalFileSystem().createTextFile(link, true);
    stream->writeLine(QStringLiteral("page"));
    stream->close();
    EXPECT_EQ(readBytes(target), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(link), QByteArray("page\r\n"));
}

TEST(Cp932Stream, LinesReachTheFileOnFlushBeforeClose)
{
    TempTree tree;
    const QString path = tree.path(QStringLiteral("page.htm"));
    auto stream = LocalFileSystem().createTextFile(path, true);
    stream->writeLine(QStringLiteral("first"));
    stream->flush();
    EXPECT_EQ(readBytes(path), QByteArray("first\r\n"));
}

TEST(Cp932Stream, CreateFailuresCarryTheirNumbers)
{
    TempTree tree;
    tree.folder(QStringLiteral("a-folder"));
    tree.file(QStringLiteral("a-file"), "x");
    LocalFileSystem files;
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(QStringLiteral("missing/page.htm")), true); }),
              PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(QStringLiteral("a-file/page.htm")), true); }),
              PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(QStringLiteral("a-folder")), true); }),
              PermissionDenied);
    EXPECT_EQ(errorNumberOf([&] { files.createTextFile(tree.path(QStringLiteral("a-file")), false); }),
              FileAlreadyExists);
}

TEST(Cp932Stream, AFullDeviceFailsWithDiskFull)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "this system has no /dev/full";
    auto stream = LocalFileSystem().createTextFile(QStringLiteral("/dev/full"), true);
    stream->writeLine(QStringLiteral("line"));
    EXPECT_EQ(errorNumberOf([&] { stream->flush(); }), DiskFull);
    // Lines were lost, so nothing written later may land after the hole.
    EXPECT_EQ(errorNumberOf([&] { stream->writeLine(QStringLiteral("later")); }), DiskFull);
    EXPECT_EQ(errorNumberOf([&] { stream->close(); }), DiskFull);
    EXPECT_EQ(errorNumberOf([&] { stream->close(); }), 0);
}

TEST(Cp932Stream, WritingAfterCloseIsAnInvalidCall)
{
    TempTree tree;
    auto stream = LocalFileSystem().createTextFile(tree.path(QStringLiteral("page.htm")), true);
    stream->close();
    EXPECT_EQ(errorNumberOf([&] { stream->writeLine(QStringLiteral("late")); }), InvalidCall);
}
