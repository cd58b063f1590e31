#include "app/ProgramSetup.h"
#include "app/QtFolderPicker.h"
#include "platform/Failure.h"
#include "tests/app/WindowHarness.h"
#include "window/WindowMessages.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

struct BrowseButton {
    const char* button;
    QLineEdit* (WindowHarness::*box)();
    QLineEdit* (WindowHarness::*otherBox)();
};

const BrowseButton browseButtons[] = {
    {"Command2", &WindowHarness::favorites, &WindowHarness::output},
    {"Command1", &WindowHarness::output, &WindowHarness::favorites},
};

// Clicks one Browse button with the picker answering `answer`; both boxes start
// with known texts.
struct BrowseOutcome {
    QString box;
    QString otherBox;
    std::vector<ShownMessage> shown;
};

BrowseOutcome browse(const BrowseButton& which, std::function<std::optional<std::u16string>()> answer)
{
    WindowHarness harness;
    (harness.*which.box)()->setText(QStringLiteral("before"));
    (harness.*which.otherBox)()->setText(QStringLiteral("other"));
    harness.picker.answer = std::move(answer);
    int runs = 0;
    harness.host.beforeListSubfolders = [&](std::u16string_view) { ++runs; };
    QTest::mouseClick(harness.button(which.button), Qt::LeftButton);
    EXPECT_EQ(runs, 0) << "choosing a folder started a run";
    EXPECT_EQ(harness.picker.calls.size(), 1);
    return {(harness.*which.box)()->text(), (harness.*which.otherBox)()->text(), harness.boxes.shown};
}

} // namespace

TEST(FolderChooser, CancelLeavesTheBoxAsItWasWithoutAMessage)
{
    for (const auto& which : browseButtons) {
        const auto outcome = browse(which, [] { return std::nullopt; });
        EXPECT_EQ(outcome.box, QStringLiteral("before")) << which.button;
        EXPECT_EQ(outcome.otherBox, QStringLiteral("other"));
        EXPECT_TRUE(outcome.shown.empty());
    }
}

TEST(FolderChooser, APickedFolderReplacesOnlyItsOwnBoxExactlyAsPicked)
{
    for (const auto& which : browseButtons) {
        const auto plain = browse(which, [] { return std::u16string(u"/home/user/Favorites"); });
        EXPECT_EQ(plain.box, QStringLiteral("/home/user/Favorites")) << which.button;
        EXPECT_EQ(plain.otherBox, QStringLiteral("other"));
        EXPECT_TRUE(plain.shown.empty());

        const auto trailing = browse(which, [] { return std::u16string(u"/"); });
        EXPECT_EQ(trailing.box, QStringLiteral("/")) << which.button;
        const auto spaced = browse(which, [] { return std::u16string(u"/tmp/お気に入り /x/"); });
        EXPECT_EQ(spaced.box, QStringLiteral("/tmp/お気に入り /x/")) << which.button;
    }
}

TEST(FolderChooser, APickThatIsNotOnADriveAsksForADriveFolder)
{
    const ShownMessage pickFromDrive{std::u16string(messages::PickFromDrive), int(MessageStyle::Information), std::u16string(ApplicationTitle)};
    for (const auto& which : browseButtons) {
        // The picker gives a virtual folder's display name, not a path.
        for (const std::u16string picked : {u"", u"コントロール パネル"}) {
            const auto outcome = browse(which, [&] { return picked; });
            EXPECT_EQ(outcome.box, QStringLiteral("before")) << which.button;
            EXPECT_EQ(outcome.otherBox, QStringLiteral("other"));
            EXPECT_EQ(outcome.shown, std::vector<ShownMessage>{pickFromDrive});
        }
    }
}

TEST(FolderChooser, APickerThatFailsSaysToTypeThePath)
{
    const ShownMessage unavailable{u"参照ボタンを使用することはできません\r\nテキストボックスに直接パスを入力してください",
                                   int(MessageStyle::Plain), std::u16string(ApplicationTitle)};
    for (const auto& which : browseButtons) {
        const auto outcome = browse(which, []() -> std::optional<std::u16string> { throw systemFailure(std::errc::operation_not_supported); });
        EXPECT_EQ(outcome.box, QStringLiteral("before")) << which.button;
        EXPECT_EQ(outcome.otherBox, QStringLiteral("other"));
        EXPECT_EQ(outcome.shown, std::vector<ShownMessage>{unavailable});
    }
}

TEST(FolderChooser, ThePickerBelongsToTheWindowAndCarriesItsTitle)
{
    WindowHarness harness;
    QTest::mouseClick(harness.button("Command2"), Qt::LeftButton);
    ASSERT_EQ(harness.picker.calls.size(), 1);
    EXPECT_EQ(harness.picker.calls[0].owner, WindowHandle(harness.window.winId()));
    EXPECT_EQ(harness.picker.calls[0].title, QStringLiteral("フォルダを選択してください。"));
}

// The real picker, cancelled: it speaks Japanese and leaves no settings behind.
TEST(FolderChooser, TheQtPickerCancelledInJapaneseLeavesNoStateBehind)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    std::optional<std::u16string> chosen = u"not asked";
    QString cancelText;
    {
        const ProgramSetup setup;
        WindowHarness harness;
        harness.window.show();
        QtFolderPicker picker;
        const ModalCloser closer([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
                    cancelText = buttons->button(QDialogButtonBox::Cancel)->text();
                dialog->reject();
            }
        });
        chosen = picker.browseForFolder(harness.window.handle(), messages::PickerTitle);
        EXPECT_TRUE(closer.shown()) << "the folder picker never showed";
    }
    qputenv("XDG_CONFIG_HOME", previous);
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(cancelText, QStringLiteral("キャンセル")) << "Qt's Japanese texts were not loaded (qtbase_ja.qm, package "
                                                           "qt6-translations-l10n)";
    EXPECT_TRUE(QDir(config.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        << "the picker left settings in the user's config folder";
}

TEST(FolderChooser, TheQtPickerWithoutItsOwnerWindowFails)
{
    QtFolderPicker picker;
    EXPECT_THROW(picker.browseForFolder(0, u"x"), Failure);
}
