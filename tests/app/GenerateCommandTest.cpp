#include "generator/Messages.h"
#include "tests/app/WindowHarness.h"

#include <filesystem>
#include <QTest>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

ShownMessage blankInputBox()
{
    return {std::u16string(messages::BlankInput), int(MessageStyle::Exclamation), std::u16string(ApplicationTitle)};
}

std::string goldenPage(std::u16string_view name) { return readBytes(dataPath(u"pages/" + std::u16string(name) + u".htm")); }

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
        harness.host.beforeListSubfolders = [&](std::u16string_view) { ++runs; };
        harness.favorites()->setText(favorites);
        harness.output()->setText(output);
        clickGenerate(harness);
        EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{blankInputBox()})
            << favorites.toStdString() << "|" << output.toStdString();
        EXPECT_EQ(runs, 0);
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
    WorkingFolder inside(dataPath(u"trees"));
    harness.favorites()->setText(QStringLiteral("nested"));
    harness.output()->setText(toQString(out.path()));
    clickGenerate(harness);
    EXPECT_SAME_PAGE(goldenPage(u"nested"), readBytes(pageFile(out.path())));
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{completedBox()});
    EXPECT_EQ(cursorWhileShown, QList<Qt::CursorShape>{Qt::WaitCursor});
    EXPECT_EQ(harness.window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(harness.favorites()->text(), QStringLiteral("nested"));
}

TEST(GenerateCommand, AFailedRunStillGivesTheDefaultPointerBack)
{
    TempTree tree;
    tree.folder(u"fav");
    WindowHarness harness;
    harness.favorites()->setText(toQString(tree.path(u"fav")));
    harness.output()->setText(toQString(tree.path(u"no-such-output")));
    clickGenerate(harness);
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{errorOccurredBox()});
    EXPECT_FALSE(std::filesystem::exists(tree.fsPath(u"no-such-output")));
    EXPECT_EQ(harness.window.cursor().shape(), Qt::ArrowCursor);
}

TEST(GenerateCommand, SpacesAroundThePathsReachTheRunUnchanged)
{
    TempTree tree;
    tree.shortcut(u" fav /a.url", u"http://a/");
    tree.folder(u" out");
    WindowHarness harness;
    std::vector<std::u16string> walked, createdPages;
    harness.host.beforeListSubfolders = [&](std::u16string_view path) { walked.emplace_back(path); };
    harness.host.beforeCreatePage = [&](std::u16string_view path) { createdPages.emplace_back(path); };
    WorkingFolder inside(tree.path());
    harness.favorites()->setText(QStringLiteral(" fav "));
    harness.output()->setText(QStringLiteral(" out"));
    clickGenerate(harness);
    EXPECT_EQ(walked, std::vector<std::u16string>{u" fav "});
    EXPECT_EQ(createdPages, std::vector<std::u16string>{u" out/ALL_Favorites_Link.htm"});
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{completedBox()});
    EXPECT_EQ(harness.favorites()->text(), QStringLiteral(" fav "));
}
