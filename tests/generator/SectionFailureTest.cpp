#include "FaultyPlatform.h"
#include "PageText.h"
#include "ScriptError.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

// fav holds a, b and c; fav/sub holds d. Each shortcut points to http://NAME/.
class SectionFailure : public ::testing::Test {
protected:
    SectionFailure()
    {
        for (const char* name : {"a", "b", "c"})
            tree.shortcut(QStringLiteral("fav/%1.url").arg(QLatin1String(name)), QStringLiteral("http://%1/").arg(QLatin1String(name)));
        tree.shortcut(QStringLiteral("fav/sub/d.url"), QStringLiteral("http://d/"));
    }

    QByteArray run()
    {
        WorkingFolder inside(tree.path());
        return harness.run(QStringLiteral("fav"), out.path());
    }

    static QString subSection() { return opening(QStringLiteral("fav/sub")) + link(QStringLiteral("d")) + closing(); }

    void failLinesContaining(const QStringList& markers, int number)
    {
        harness.platform.beforeWriteLine = [markers, number](const QString& line) {
            for (const QString& marker : markers) {
                if (line.contains(marker))
                    throw ScriptError(number);
            }
        };
    }

    TempTree tree;
    TempTree out;
    GeneratorHarness harness;
};

} // namespace

TEST_F(SectionFailure, ALinkLineFailingWithFiveBecomesANoticeAndTheListingGoesOn)
{
    failLinesContaining({QStringLiteral(">b</A>")}, InvalidCall);
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) +
                                notice(QStringLiteral("b")) + link(QStringLiteral("c")) + closing() + subSection() + foot()));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

TEST_F(SectionFailure, AFailingNoticeLinePassesToThePageWriter)
{
    failLinesContaining({QStringLiteral(">b</A>"), QStringLiteral("『b』")}, InvalidCall);
    const QByteArray partial = cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")));
    QByteArray onDiskWhenTold;
    harness.boxes.onShow = [&](const ShownMessage&) { onDiskWhenTold = readBytes(pageFile(out.path())); };
    EXPECT_EQ(run(), partial);
    EXPECT_EQ(onDiskWhenTold, partial);
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST_F(SectionFailure, AnOpeningLineFailingWithFiveHasNoNameForANotice)
{
    failLinesContaining({QStringLiteral("<B>fav</B>")}, InvalidCall);
    EXPECT_EQ(run(), cp932Lines(headAndStyle()));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST_F(SectionFailure, AClosingLineFailingWithFivePassesToThePageWriter)
{
    failLinesContaining({QStringLiteral("</OL>")}, InvalidCall);
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) +
                                link(QStringLiteral("b")) + link(QStringLiteral("c"))));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
}

TEST_F(SectionFailure, NoScriptShellMeansOneWarningPerFolderAndNoSections)
{
    harness.platform.beforeCreateScriptShell = failWith(429);
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + foot()));
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{fileOutputFailedBox(), fileOutputFailedBox(), completedBox()}));
}

TEST_F(SectionFailure, AListingThatCannotStartLeavesTheSectionOpen)
{
    harness.platform.beforeListingStart = [](const QString& pattern) {
        if (!pattern.contains(QStringLiteral("sub")))
            throw ScriptError(PermissionDenied);
    };
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + subSection() + foot()));
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{fileOutputFailedBox(), completedBox()}));
}

// The shortcut object of the previous name must never stand in for this one.
TEST_F(SectionFailure, AShortcutThatCannotBeCreatedGetsANoticeAndNoLink)
{
    harness.platform.beforeCreateShortcut = [](const QString& path) {
        if (path.endsWith(QStringLiteral("b.url")))
            throw ScriptError(InvalidCall);
    };
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) +
                                notice(QStringLiteral("b")) + link(QStringLiteral("c")) + closing() + subSection() + foot()));
}

TEST_F(SectionFailure, AShortcutFailingOtherwiseEndsOnlyItsSection)
{
    harness.platform.beforeCreateShortcut = [](const QString& path) {
        if (path.endsWith(QStringLiteral("b.url")))
            throw ScriptError(DeviceIoError);
    };
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) +
                                subSection() + foot()));
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{fileOutputFailedBox(), completedBox()}));
}

// A listing that cannot go on would otherwise repeat its last name forever.
TEST_F(SectionFailure, ANextNameThatCannotBeFetchedEndsTheListing)
{
    int calls = 0;
    harness.platform.beforeListingNext = [&] {
        if (++calls == 1)
            throw ScriptError(InvalidCall);
    };
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) +
                                notice(QStringLiteral("a")) + closing() + subSection() + foot()));
}

TEST_F(SectionFailure, AShortcutThatVanishesBeforeItIsReadGetsANotice)
{
    harness.platform.beforeCreateShortcut = [](const QString& path) {
        if (path.endsWith(QStringLiteral("b.url")))
            QFile::remove(path);
    };
    EXPECT_EQ(run(), cp932Lines(headAndStyle() + opening(QStringLiteral("fav")) + link(QStringLiteral("a")) +
                                notice(QStringLiteral("b")) + link(QStringLiteral("c")) + closing() + subSection() + foot()));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}
