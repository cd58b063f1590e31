#include "QtMessageBoxes.h"

#include <QMessageBox>

namespace markroll {
namespace {

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case ExclamationMessage: return QMessageBox::Warning;
    case InformationMessage: return QMessageBox::Information;
    case PlainMessage: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageBoxes::show(const QString& text, MessageStyle style, const QString& title)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconFor(style), effectiveTitle(title), shown, QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace markroll
