#include "app/MainWindow.h"

#include "app/CloseBoxOnly.h"

#include "app/QtText.h"
#include "window/MainWindowLayout.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The icon lives in this static library; the resources must be registered
// before the window asks for it.
static void registerResources()
{
    Q_INIT_RESOURCE(markroll);
}

namespace markroll {
namespace {

// The generate button's own face: MS P Gothic where it exists, a Japanese
// Gothic elsewhere, 11.25 points, bold.
QFont generateButtonFont()
{
    QFont font;
    font.setFamilies({toQString(layout::GenerateButtonFace), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Sans Serif")});
    font.setPointSizeF(layout::GenerateButtonPoints);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QRect rectangleOf(const layout::Control& control)
{
    return {control.at.left, control.at.top, control.at.width, control.at.height};
}

QWidget* makeControl(QWidget* parent, const layout::Control& control)
{
    QWidget* widget = nullptr;
    const QString text = toQString(control.text);
    switch (control.kind) {
    case layout::ControlKind::PushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        widget = button;
        break;
    }
    case layout::ControlKind::TextBox:
        widget = new QLineEdit(text, parent);
        break;
    case layout::ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFocusPolicy(Qt::NoFocus);
        widget = label;
        break;
    }
    }
    widget->setObjectName(QLatin1String(control.name.data(), qsizetype(control.name.size())));
    widget->setGeometry(rectangleOf(control));
    return widget;
}

} // namespace

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      commands_(services, *this)
{
    registerResources();
    // A tool window keeps off the taskbar, but Qt would not end the program
    // when it closes; this one is the program.
    setAttribute(Qt::WA_QuitOnClose, true);
    setObjectName(QStringLiteral("Frm_Main"));
    setWindowTitle(toQString(layout::Caption));
    setWindowIcon(QIcon(QStringLiteral(":/markroll/markroll.ico")));
    setFixedSize(layout::ClientWidth, layout::ClientHeight);
    buildControls();
    installEventFilter(new CloseBoxOnly(this));
    connect(generateButton_, &QPushButton::clicked, this, [this] { commands_.generate(); });
    connect(favoritesBrowseButton_, &QPushButton::clicked, this, [this] { commands_.browseForFavorites(); });
    connect(outputBrowseButton_, &QPushButton::clicked, this, [this] { commands_.browseForOutput(); });
}

void MainWindow::buildControls()
{
    QWidget* previous = nullptr;
    for (const layout::Control& control : layout::Controls) {
        QWidget* widget = makeControl(this, control);
        if (previous && widget->focusPolicy() != Qt::NoFocus)
            setTabOrder(previous, widget);
        if (widget->focusPolicy() != Qt::NoFocus)
            previous = widget;
    }
    generateButton_ = findChild<QPushButton*>(QStringLiteral("Cmd_Do"));
    favoritesBox_ = findChild<QLineEdit*>(QStringLiteral("Txt_Favorite"));
    outputBox_ = findChild<QLineEdit*>(QStringLiteral("Txt_OutPut"));
    favoritesBrowseButton_ = findChild<QPushButton*>(QStringLiteral("Command2"));
    outputBrowseButton_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    generateButton_->setFont(generateButtonFont());
    generateButton_->setFocus(Qt::OtherFocusReason);
}

std::u16string MainWindow::favoriteText() const { return toU16(favoritesBox_->text()); }

std::u16string MainWindow::outputText() const { return toU16(outputBox_->text()); }

void MainWindow::setFavoriteText(const std::u16string& text) { favoritesBox_->setText(toQString(text)); }

void MainWindow::setOutputText(const std::u16string& text) { outputBox_->setText(toQString(text)); }

WindowHandle MainWindow::handle() const { return WindowHandle(winId()); }

void MainWindow::setBusyPointer(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}


} // namespace markroll
