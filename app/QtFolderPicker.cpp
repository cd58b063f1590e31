#include "app/QtFolderPicker.h"

#include "app/QtText.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>
#include <QWidget>

namespace markroll {

std::optional<std::u16string> QtFolderPicker::browseForFolder(WindowHandle owner, std::u16string_view title)
{
    QWidget* parent = QWidget::find(WId(owner));
    if (!parent)
        throw Failure(FailureKind::Unknown, {}, "the folder picker has no owner window");
    const QUrl chosen =
        QFileDialog::getExistingDirectoryUrl(parent, toQString(title), QUrl(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return std::nullopt;
    if (!chosen.isLocalFile())
        return std::u16string();
    return toU16(QDir::toNativeSeparators(chosen.toLocalFile()));
}

} // namespace markroll
