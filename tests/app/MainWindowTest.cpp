#include "app/QtMessageBoxes.h"
#include "tests/app/WindowHarness.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

struct ExpectedControl {
    const char* name;
    const char* className;
    QString text;
    QRect geometry;
};

QList<ExpectedControl> expectedControls()
{
    return {
        {"Cmd_Do", "QPushButton", QStringLiteral("Html出力"), {333, 104, 84, 25}},
        {"Txt_Favorite", "QLineEdit", QStringLiteral("C:\\Documents and Settings\\Administrator\\Favorites"), {9, 24, 370, 19}},
        {"Label1", "QLabel", QStringLiteral("Favorites \uFF08お気に入り\uFF09 フォルダのパス"), {9, 8, 370, 13}},
        {"Txt_OutPut", "QLineEdit", QString(), {9, 72, 370, 19}},
        {"Label2", "QLabel", QStringLiteral("ファイル出力先フォルダのパス"), {9, 56, 370, 13}},
        {"Command2", "QPushButton", QStringLiteral("参照"), {380, 21, 40, 23}},
        {"Command1", "QPushButton", QStringLiteral("参照"), {380, 69, 40, 23}},
    };
}

QString textOf(QWidget* widget)
{
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    return qobject_cast<QLabel*>(widget)->text();
}

void showAndActivate(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST(MainWindow, CaptionSizeAndFrame)
{
    WindowHarness harness;
    EXPECT_EQ(harness.window.objectName(), QStringLiteral("Frm_Main"));
    EXPECT_EQ(harness.window.windowTitle(), QStringLiteral("\u3000\uFF0B\uFF0B\uFF0B\u3000Markroll\u3000k/r\u3000\uFF0B\uFF0B\uFF0B"));
    EXPECT_EQ(harness.window.size(), QSize(427, 139));
    EXPECT_EQ(harness.window.minimumSize(), QSize(427, 139));
    EXPECT_EQ(harness.window.maximumSize(), QSize(427, 139));
    const Qt::WindowFlags flags = harness.window.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool) << "a tool window has no taskbar button";
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(harness.window.windowIcon().isNull());
    EXPECT_EQ(harness.window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST(MainWindow, SevenControlsWithTheirNamesTextsAndRectangles)
{
    WindowHarness harness;
    const auto controls = expectedControls();
    EXPECT_EQ(harness.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), controls.size());
    for (const ExpectedControl& control : controls) {
        auto* widget = harness.window.findChild<QWidget*>(QLatin1String(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_STREQ(widget->metaObject()->className(), control.className) << control.name;
        EXPECT_EQ(textOf(widget), control.text) << control.name;
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
    }
}

TEST(MainWindow, OnlyTheGenerateButtonHasAFontOfItsOwn)
{
    WindowHarness harness;
    const QFont font = harness.button("Cmd_Do")->font();
    ASSERT_GE(font.families().size(), 3);
    EXPECT_EQ(font.families().at(0), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.families().at(1), QStringLiteral("MS PGothic"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 11.25);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_FALSE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    for (const ExpectedControl& control : expectedControls()) {
        if (QLatin1String(control.name) == QLatin1String("Cmd_Do"))
            continue;
        EXPECT_FALSE(harness.window.findChild<QWidget*>(QLatin1String(control.name))->testAttribute(Qt::WA_SetFont))
            << control.name;
    }
    EXPECT_FALSE(harness.window.testAttribute(Qt::WA_SetFont));
}

TEST(MainWindow, FocusStartsOnTheGenerateButtonAndTabSkipsTheLabels)
{
    WindowHarness harness;
    showAndActivate(harness.window);
    EXPECT_EQ(QApplication::focusWidget(), harness.button("Cmd_Do"));
    const QStringList expected{QStringLiteral("Txt_Favorite"), QStringLiteral("Txt_OutPut"), QStringLiteral("Command2"),
                               QStringLiteral("Command1"), QStringLiteral("Cmd_Do")};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
    }
    for (auto it = expected.rbegin() + 1; it != expected.rend(); ++it) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), *it);
    }
}

TEST(MainWindow, NoButtonIsDefaultSoEnterAndEscapeStartNothing)
{
    WindowHarness harness;
    for (const char* name : {"Cmd_Do", "Command1", "Command2"}) {
        EXPECT_FALSE(harness.button(name)->isDefault()) << name;
        EXPECT_FALSE(harness.button(name)->autoDefault()) << name;
    }
    TempTree out;
    harness.output()->setText(toQString(out.path()));
    showAndActivate(harness.window);
    harness.favorites()->setFocus();
    QTest::keyClick(harness.favorites(), Qt::Key_Return);
    QTest::keyClick(harness.output(), Qt::Key_Enter);
    QTest::keyClick(&harness.window, Qt::Key_Escape);
    EXPECT_TRUE(harness.boxes.shown.empty());
    EXPECT_TRUE(harness.picker.calls.isEmpty());
    EXPECT_TRUE(harness.window.isVisible());
}

TEST(MainWindow, ClosingEndsTheProgramAndTheNextStartShowsTheStartTexts)
{
    {
        WindowHarness harness;
        harness.favorites()->setText(QStringLiteral("typed"));
        harness.output()->setText(QStringLiteral("typed too"));
        harness.window.show();
        QTimer::singleShot(0, &harness.window, &QWidget::close);
        // Only a program that does not end by itself gets here; the watchdog
        // dies with this test.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
    }
    WindowHarness next;
    EXPECT_EQ(next.favorites()->text(), QStringLiteral("C:\\Documents and Settings\\Administrator\\Favorites"));
    EXPECT_EQ(next.output()->text(), QString());
}

namespace {

// Closes the message box once it is up and tells what it showed.
struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget* parent = nullptr;
    int buttons = 0;
    int width = 0;
};

SeenBox showAndClose(QtMessageBoxes& boxes, std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    SeenBox seen;
    const ModalCloser closer([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return;
        seen = {box->icon(), box->windowTitle(), box->text(), box->windowModality(), box->parentWidget(),
                int(box->buttons().size()), box->width()};
        box->button(QMessageBox::Ok)->click();
    });
    boxes.show(text, style, title);
    EXPECT_TRUE(closer.shown()) << "no modal box came up";
    return seen;
}

} // namespace

TEST(MainWindow, MessageBoxesShowStylesTitlesAndTwoLineTextsOnScreen)
{
    WindowHarness harness;
    QtMessageBoxes boxes;
    boxes.setOwner(&harness.window);
    harness.window.show();

    const SeenBox warning = showAndClose(boxes, u"未入力項目が有ります", MessageStyle::Exclamation, {});
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_EQ(warning.title, QStringLiteral("Markroll"));
    EXPECT_EQ(warning.modality, Qt::ApplicationModal);
    EXPECT_EQ(warning.parent, &harness.window);
    EXPECT_EQ(warning.buttons, 1);

    const SeenBox information = showAndClose(boxes, u"出力完了！！", MessageStyle::Information, {});
    EXPECT_EQ(information.icon, QMessageBox::Information);

    const SeenBox titled = showAndClose(boxes, u"ファイルの出力に失敗しました", MessageStyle::Exclamation, u"警告！");
    EXPECT_EQ(titled.title, QStringLiteral("警告！"));

    // Wide enough for its title and the title bar's buttons, however short the text.
    const SeenBox shortText = showAndClose(boxes, u"!", MessageStyle::Plain, u"");
    EXPECT_GE(shortText.width, harness.window.fontMetrics().horizontalAdvance(QStringLiteral("Markroll")) + 120);

    const SeenBox plain = showAndClose(boxes, u"one\r\ntwo", MessageStyle::Plain, {});
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    EXPECT_EQ(plain.text, QStringLiteral("one\ntwo"));
}
