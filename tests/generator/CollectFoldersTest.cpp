#include "FaultyPlatform.h"
#include "HostPath.h"
#include "ScriptError.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

QStringList tableOf(const Module1& generator)
{
    QStringList entries;
    const auto& table = generator.state().FolderList;
    for (int i = 0; i < FolderSlots::Capacity && !table.isEmpty(i); ++i)
        entries.append(table.at(i));
    return entries;
}

// Walks `favorites` the way a run does, without writing a page.
void collect(GeneratorHarness& harness, const QString& favorites)
{
    auto& state = harness.generator.state();
    state.FolderList.clear();
    state.FolderCount = 1;
    state.FolderList.store(0, favorites);
    harness.generator.CollectFolders(favorites);
}

} // namespace

TEST(CollectFolders, DepthFirstEachFolderBeforeItsChildren)
{
    TempTree tree;
    for (const char* path : {"R/A/A1", "R/A/A2", "R/B"})
        tree.folder(QString::fromUtf8(path));
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, QStringLiteral("R"));
    EXPECT_EQ(tableOf(harness.generator), (QStringList{QStringLiteral("R"), QStringLiteral("R/A"), QStringLiteral("R/A/A1"),
                                                       QStringLiteral("R/A/A2"), QStringLiteral("R/B")}));
    EXPECT_EQ(harness.generator.state().FolderCount, 5);
}

TEST(CollectFolders, AFolderWithoutSubfoldersStoresAndShowsNothing)
{
    TempTree tree;
    GeneratorHarness harness;
    collect(harness, tree.path());
    EXPECT_EQ(tableOf(harness.generator), QStringList{tree.path()});
    EXPECT_EQ(harness.generator.state().FolderCount, 1);
    EXPECT_TRUE(harness.boxes.shown.isEmpty());
}

TEST(CollectFolders, APathEndingInTheSeparatorGivesDoubledSeparators)
{
    TempTree tree;
    tree.folder(QStringLiteral("R/A/B"));
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, QStringLiteral("R/"));
    EXPECT_EQ(tableOf(harness.generator),
              (QStringList{QStringLiteral("R/"), QStringLiteral("R//A"), QStringLiteral("R//A/B")}));
}

TEST(CollectFolders, AMissingFavoritesFolderShowsOneMessageAndKeepsSlotZero)
{
    TempTree tree;
    GeneratorHarness harness;
    const QString missing = tree.path(QStringLiteral("missing"));
    collect(harness, missing);
    EXPECT_EQ(tableOf(harness.generator), QStringList{missing});
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST(CollectFolders, ASubfolderThatCannotBeOpenedIsListedAndTheWalkGoesOn)
{
    TempTree tree;
    for (const char* path : {"R/A/Hidden-below", "R/B/B1"})
        tree.folder(QString::fromUtf8(path));
    GeneratorHarness harness;
    harness.platform.beforeGetFolder = [](const QString& path) {
        if (path.endsWith(QStringLiteral("/A")))
            throw ScriptError(PermissionDenied);
    };
    WorkingFolder inside(tree.path());
    collect(harness, QStringLiteral("R"));
    EXPECT_EQ(tableOf(harness.generator),
              (QStringList{QStringLiteral("R"), QStringLiteral("R/A"), QStringLiteral("R/B"), QStringLiteral("R/B/B1")}));
    EXPECT_EQ(harness.boxes.shown.size(), 1);
}

TEST(CollectFolders, NoFileSystemObjectMeansOneMessageForTheFirstCall)
{
    TempTree tree;
    tree.folder(QStringLiteral("A"));
    GeneratorHarness harness;
    harness.platform.beforeCreateFileSystem = failWith(429);
    collect(harness, tree.path());
    EXPECT_EQ(tableOf(harness.generator), QStringList{tree.path()});
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST(CollectFolders, AFullTableWithOneWideFolderShowsOneMessage)
{
    TempTree tree;
    for (int i = 0; i < 1200; ++i)
        tree.folder(QStringLiteral("R/f%1").arg(i, 4, 10, QLatin1Char('0')));
    GeneratorHarness harness;
    collect(harness, tree.path(QStringLiteral("R")));
    const QStringList entries = tableOf(harness.generator);
    ASSERT_EQ(entries.size(), 1000);
    EXPECT_EQ(entries.last(), tree.path(QStringLiteral("R/f0998")));
    EXPECT_EQ(harness.generator.state().FolderCount, 1000);
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST(CollectFolders, AFullTableInsideASubfolderShowsAMessagePerCallWithFoldersLeft)
{
    TempTree tree;
    for (int i = 0; i < 999; ++i)
        tree.folder(QStringLiteral("R/A/f%1").arg(i, 3, 10, QLatin1Char('0')));
    tree.folder(QStringLiteral("R/B"));
    GeneratorHarness harness;
    collect(harness, tree.path(QStringLiteral("R")));
    const QStringList entries = tableOf(harness.generator);
    ASSERT_EQ(entries.size(), 1000);
    EXPECT_EQ(entries.at(1), tree.path(QStringLiteral("R/A")));
    EXPECT_EQ(entries.last(), tree.path(QStringLiteral("R/A/f997")));
    EXPECT_FALSE(entries.contains(tree.path(QStringLiteral("R/B"))));
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{errorOccurredBox(), errorOccurredBox()}));
}

TEST(CollectFolders, LinkLoopsEndAndNoFolderRepeatsItself)
{
    TempTree tree;
    tree.folder(QStringLiteral("R/A"));
    tree.folder(QStringLiteral("R/B"));
    tree.symlink(tree.path(QStringLiteral("R")), QStringLiteral("R/A/ToRoot"));
    tree.symlink(tree.path(QStringLiteral("R/B")), QStringLiteral("R/A/ToB"));
    tree.symlink(tree.path(QStringLiteral("R/A")), QStringLiteral("R/B/ToA"));
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    collect(harness, QStringLiteral("R"));
    EXPECT_EQ(tableOf(harness.generator),
              (QStringList{QStringLiteral("R"), QStringLiteral("R/A"), QStringLiteral("R/A/ToB"), QStringLiteral("R/B"),
                           QStringLiteral("R/B/ToA")}));
    EXPECT_TRUE(harness.boxes.shown.isEmpty());
}
