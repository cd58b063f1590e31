#include "app/QtMessageBoxes.h"

#include "app/CloseBoxOnly.h"
#include "app/QtText.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace markroll {
namespace {

constexpr int TitleBarButtonsWidth = 120;

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Exclamation: return QMessageBox::Warning;
    case MessageStyle::Information: return QMessageBox::Information;
    case MessageStyle::Plain: break;
    }
    return QMessageBox::NoIcon;
}

// A box is as wide as its text needs, which can be narrower than its title:
// the window manager then cuts the title. A spacer makes room for it and for
// the title bar's buttons.
void keepTitleVisible(QMessageBox& box, const QString& caption)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = box.fontMetrics().horizontalAdvance(caption) * 3 / 2 + TitleBarButtonsWidth;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

void QtMessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString caption = toQString(effectiveTitle(title));
    QMessageBox box(iconFor(style), caption, shown, QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    keepTitleVisible(box, caption);
    CloseBoxOnly frame;
    box.installEventFilter(&frame);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace markroll
