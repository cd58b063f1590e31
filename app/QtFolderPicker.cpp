#include "QtFolderPicker.h"

#include "ScriptError.h"

#include <QFileDialog>
#include <QWidget>

namespace markroll {

std::optional<QUrl> QtFolderPicker::browseForFolder(WindowHandle owner, const QString& title)
{
    QWidget* parent = QWidget::find(WId(owner));
    if (!parent)
        throw ScriptError(InvalidCall, QStringLiteral("the folder picker has no owner window"));
    const QUrl chosen = QFileDialog::getExistingDirectoryUrl(parent, title, QUrl(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace markroll
