#include "QtMessageBoxes.h"

#include "QtText.h"

#include <QMessageBox>

namespace markroll {
namespace {

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Exclamation: return QMessageBox::Warning;
    case MessageStyle::Information: return QMessageBox::Information;
    case MessageStyle::Plain: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconFor(style), toQString(effectiveTitle(title)), shown, QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace markroll
