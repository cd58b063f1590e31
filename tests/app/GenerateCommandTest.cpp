#include "Messages.h"
#include "WindowHarness.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

ShownMessage blankInputBox() { return {messages::blankInput(), ExclamationMessage, applicationTitle()}; }

QByteArray goldenPage(const QString& name)
{
    return readBytes(dataPath(QStringLiteral("pages/") + name + QStringLiteral(".htm")));
}

void clickGenerate(WindowHarness& harness)
{
    QTest::mouseClick(harness.button("Cmd_Do"), Qt::LeftButton);
}

} // namespace

TEST(GenerateCommand, ABlankBoxIsRefusedWithOneMessageAndNoRun)
{
    const QString filled = QStringLiteral("/somewhere");
    const QList<std::pair<QString, QString>> blanks{
        {QString(), filled},          {QStringLiteral("   "), filled},     {filled, QString()},
        {filled, QStringLiteral("  ")}, {QString(), QString()},           {QStringLiteral("\u3000"), filled},
        {filled, QStringLiteral("\t")}, {QStringLiteral(" \u3000\t "), QStringLiteral("\u3000")},
    };
    for (const auto& [favorites, output] : blanks) {
        WindowHarness harness;
        int runs = 0;
        harness.platform.beforeCreateFileSystem = [&] { ++runs; };
        harness.favorites()->setText(favorites);
        harness.output()->setText(output);
        clickGenerate(harness);
        EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{blankInputBox()})
            << favorites.toStdString() << "|" << output.toStdString();
        EXPECT_EQ(runs, 0);
        EXPECT_EQ(harness.window.generator().state().FolderCount, 0);
        EXPECT_FALSE(harness.window.testAttribute(Qt::WA_SetCursor));
        EXPECT_EQ(harness.favorites()->text(), favorites);
        EXPECT_EQ(harness.output()->text(), output);
    }
}

TEST(GenerateCommand, AFullRunWritesTheGoldenPageUnderTheHourglass)
{
    TempTree out;
    WindowHarness harness;
    QList<Qt::CursorShape> cursorWhileShown;
    harness.boxes.onShow = [&](const ShownMessage&) {
        cursorWhileShown.append(harness.window.testAttribute(Qt::WA_SetCursor) ? harness.window.cursor().shape()
                                                                               : Qt::ArrowCursor);
    };
    WorkingFolder inside(dataPath(QStringLiteral("trees")));
    harness.favorites()->setText(QStringLiteral("nested"));
    harness.output()->setText(out.path());
    clickGenerate(harness);
    EXPECT_EQ(readBytes(pageFile(out.path())), goldenPage(QStringLiteral("nested")));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
    EXPECT_EQ(cursorWhileShown, QList<Qt::CursorShape>{Qt::WaitCursor});
    EXPECT_EQ(harness.window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(harness.favorites()->text(), QStringLiteral("nested"));
}

TEST(GenerateCommand, AFailedRunStillGivesTheDefaultPointerBack)
{
    TempTree tree;
    tree.folder(QStringLiteral("fav"));
    WindowHarness harness;
    harness.favorites()->setText(tree.path(QStringLiteral("fav")));
    harness.output()->setText(tree.path(QStringLiteral("no-such-output")));
    clickGenerate(harness);
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{errorOccurredBox()});
    EXPECT_FALSE(QFileInfo::exists(pageFile(tree.path(QStringLiteral("no-such-output")))));
    EXPECT_EQ(harness.window.cursor().shape(), Qt::ArrowCursor);
}

TEST(GenerateCommand, SpacesAroundThePathsReachTheRunUnchanged)
{
    TempTree tree;
    tree.shortcut(QStringLiteral(" fav /a.url"), QStringLiteral("http://a/"));
    tree.folder(QStringLiteral(" out"));
    WindowHarness harness;
    QStringList createdPages;
    harness.platform.beforeCreateTextFile = [&](const QString& path) { createdPages.append(path); };
    WorkingFolder inside(tree.path());
    harness.favorites()->setText(QStringLiteral(" fav "));
    harness.output()->setText(QStringLiteral(" out"));
    clickGenerate(harness);
    EXPECT_EQ(harness.window.generator().state().FolderList.at(0), QStringLiteral(" fav "));
    EXPECT_EQ(createdPages, QStringList{QStringLiteral(" out/ALL_Favorites_Link.htm")});
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
    EXPECT_EQ(harness.favorites()->text(), QStringLiteral(" fav "));
}
