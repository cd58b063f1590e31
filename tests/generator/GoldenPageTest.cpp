#include "FaultyPlatform.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

QByteArray expectedPage(const QString& name)
{
    return readBytes(dataPath(QStringLiteral("pages/") + name + QStringLiteral(".htm")));
}

// Runs over a fixture tree by its relative name, so the page does not depend
// on where the sources are checked out.
QByteArray pageForFixture(GeneratorHarness& harness, const QString& favorites, const QString& output)
{
    WorkingFolder inside(dataPath(QStringLiteral("trees")));
    return harness.run(favorites, output);
}

} // namespace

TEST(GoldenPage, AnEmptyFavoritesFolderGivesTheTwelveLines)
{
    TempTree out;
    GeneratorHarness harness;
    const QByteArray page = pageForFixture(harness, QStringLiteral("empty"), out.path());
    EXPECT_EQ(page, expectedPage(QStringLiteral("empty")));
    EXPECT_EQ(page.count("\r\n"), 12);
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

TEST(GoldenPage, NestedFoldersInWalkOrderWithUpperCaseShortcutsAndANotice)
{
    TempTree out;
    GeneratorHarness harness;
    EXPECT_EQ(pageForFixture(harness, QStringLiteral("nested"), out.path()), expectedPage(QStringLiteral("nested")));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

TEST(GoldenPage, JapaneseNamesAndTargetsInShiftJis)
{
    TempTree out;
    GeneratorHarness harness;
    EXPECT_EQ(pageForFixture(harness, QStringLiteral("japanese"), out.path()), expectedPage(QStringLiteral("japanese")));
}

TEST(GoldenPage, SeparatorsTheUserTypedStayAsTyped)
{
    TempTree out;
    GeneratorHarness harness;
    EXPECT_EQ(pageForFixture(harness, QStringLiteral("japanese/"), out.path() + QLatin1Char('/')),
              expectedPage(QStringLiteral("japanese-trailing-separator")));
}

TEST(GoldenPage, ASecondSmallerRunListsOnlyItsOwnFolders)
{
    TempTree out;
    GeneratorHarness harness;
    pageForFixture(harness, QStringLiteral("nested"), out.path());
    EXPECT_EQ(pageForFixture(harness, QStringLiteral("small-second"), out.path()),
              expectedPage(QStringLiteral("small-second")));
    EXPECT_EQ(harness.generator.state().FolderCount, 2);
    EXPECT_TRUE(harness.generator.state().FolderList.isEmpty(2));
}

// Names and targets that would break the page's markup, and characters that
// code page 932 has no exact bytes for, are escaped rather than refused.
TEST(GoldenPage, HostileAndForeignNamesAreEscapedNotInjected)
{
    TempTree tree;
    tree.shortcut(QStringLiteral("fav/a<b>&\"c\".url"), QStringLiteral("https://example.com/a?x=1&y=2"));
    tree.shortcut(QStringLiteral("fav/Café.url"), QStringLiteral("https://café.example/menu"));
    tree.shortcut(QStringLiteral("fav/ctl\x01.url"), QStringLiteral("http://x/a\tb"));
    tree.shortcut(QStringLiteral("fav/javascript.url"), QStringLiteral("javascript:alert(\"hi\")"));
    tree.shortcut(QStringLiteral("fav/x.url"), QStringLiteral("http://x/\"><script>alert(1)</script>"));
    tree.shortcut(QStringLiteral("fav/yen¥.url"), QStringLiteral("https://example.com/¥"));
    tree.shortcut(QStringLiteral("fav/한국.url"), QStringLiteral("https://한국.kr/"));
    tree.shortcut(QStringLiteral("fav/😀 emoji.url"), QStringLiteral("https://example.com/😀"));
    tree.folder(QStringLiteral("fav/<b>Fold&er"));
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    EXPECT_EQ(harness.run(QStringLiteral("fav"), out.path()), expectedPage(QStringLiteral("hostile")));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

TEST(GoldenPage, AnExistingPageIsReplacedWholeWithoutAQuestion)
{
    TempTree out;
    out.file(QStringLiteral("ALL_Favorites_Link.htm"), QByteArray(100000, 'x'));
    GeneratorHarness harness;
    EXPECT_EQ(pageForFixture(harness, QStringLiteral("empty"), out.path()), expectedPage(QStringLiteral("empty")));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

TEST(GoldenPage, AMissingFavoritesFolderStillGivesItsSectionAndCompletes)
{
    TempTree out;
    GeneratorHarness harness;
    const QByteArray page = pageForFixture(harness, QStringLiteral("no-such-folder"), out.path());
    EXPECT_EQ(page, expectedPage(QStringLiteral("empty")).replace("<B>empty</B>", "<B>no-such-folder</B>"));
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{errorOccurredBox(), completedBox()}));
}

TEST(GoldenPage, PathsWithSpacesAroundThemAreUsedUntrimmed)
{
    TempTree tree;
    tree.shortcut(QStringLiteral(" fav /a.url"), QStringLiteral("http://a/"));
    tree.folder(QStringLiteral("out "));
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const QByteArray page = harness.run(QStringLiteral(" fav "), QStringLiteral("out "));
    EXPECT_TRUE(page.contains("<B> fav </B>")) << page.toStdString();
    EXPECT_TRUE(page.contains("<LI><A Href=\"http://a/\">a</A></LI>"));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}
