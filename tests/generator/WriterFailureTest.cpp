#include "FaultyPlatform.h"
#include "PageText.h"
#include "ScriptError.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

TEST(WriterFailure, AMissingOutputFolderShowsOneMessageAndNoCompletion)
{
    TempTree tree;
    tree.folder(QStringLiteral("fav"));
    GeneratorHarness harness;
    EXPECT_EQ(harness.run(tree.path(QStringLiteral("fav")), tree.path(QStringLiteral("missing"))).left(9), "<missing:");
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
    EXPECT_TRUE(harness.generator.state().PageFso);
    EXPECT_FALSE(harness.generator.state().PageStream);
}

TEST(WriterFailure, AFileThatCannotBeCreatedShowsOneMessage)
{
    TempTree tree;
    tree.folder(QStringLiteral("fav"));
    GeneratorHarness harness;
    harness.platform.beforeCreateTextFile = [](const QString&) { throw ScriptError(PermissionDenied); };
    harness.run(tree.path(QStringLiteral("fav")), tree.path());
    EXPECT_FALSE(QFileInfo::exists(pageFile(tree.path())));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST(WriterFailure, AFullTableGivesAThousandSectionsNoFootAndNoCompletion)
{
    TempTree tree;
    for (int i = 0; i < 1001; ++i)
        tree.folder(QStringLiteral("R/f%1").arg(i, 4, 10, QLatin1Char('0')));
    TempTree out;
    GeneratorHarness harness;
    qsizetype sizeWhenTold = -1;
    harness.boxes.onShow = [&](const ShownMessage&) { sizeWhenTold = readBytes(pageFile(out.path())).size(); };
    const QByteArray page = harness.run(tree.path(QStringLiteral("R")), out.path());
    EXPECT_EQ(page.count("<OL>"), 1000);
    EXPECT_EQ(page.count("</OL>"), 1000);
    EXPECT_TRUE(page.endsWith("f0998</B>\x81\x99<BR>\r\n</OL>\r\n"));
    EXPECT_EQ(sizeWhenTold, page.size());
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{errorOccurredBox(), errorOccurredBox()}));
}

// The stream a failed page leaves open must not write into the next page.
TEST(WriterFailure, LinesBeforeAWriteFailureAreKeptAndTheNextRunIsClean)
{
    TempTree tree;
    tree.shortcut(QStringLiteral("fav/a.url"), QStringLiteral("http://a/"));
    tree.folder(QStringLiteral("small"));
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    harness.platform.beforeWriteLine = [](const QString& line) {
        if (line.startsWith(QStringLiteral("</BODY>")))
            throw ScriptError(DiskFull);
    };
    const QByteArray partial = cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) + closing());
    QByteArray onDiskWhenTold;
    harness.boxes.onShow = [&](const ShownMessage&) { onDiskWhenTold = readBytes(pageFile(out.path())); };
    EXPECT_EQ(harness.run(QStringLiteral("fav"), out.path()), partial);
    EXPECT_EQ(onDiskWhenTold, partial);
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});

    harness.platform.beforeWriteLine = nullptr;
    harness.boxes.onShow = nullptr;
    harness.run(QStringLiteral("small"), out.path());
    EXPECT_EQ(readBytes(pageFile(out.path())), cp932Lines(headAndStyle() + opening(QStringLiteral("small")) + closing() + foot()));
    EXPECT_FALSE(harness.generator.state().PageStream);
    EXPECT_FALSE(harness.generator.state().PageFso);
}

TEST(WriterFailure, TheWalkAloneFailingStillCompletes)
{
    TempTree tree;
    tree.folder(QStringLiteral("fav/locked"));
    TempTree out;
    GeneratorHarness harness;
    harness.platform.beforeGetFolder = [](const QString& path) {
        if (path.endsWith(QStringLiteral("locked")))
            throw ScriptError(PermissionDenied);
    };
    WorkingFolder inside(tree.path());
    EXPECT_EQ(harness.run(QStringLiteral("fav"), out.path()),
              cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + closing() + opening(QStringLiteral("fav/locked")) +
                         closing() + foot()));
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{errorOccurredBox(), completedBox()}));
}
