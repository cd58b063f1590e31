#include "FrmMain.h"

#include "AppMessages.h"
#include "FolderPicker.h"
#include "HostPath.h"
#include "InputCheck.h"
#include "Messages.h"
#include "MessageBoxes.h"
#include "QtText.h"
#include "ScriptError.h"

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

QString windowCaption()
{
    return QStringLiteral("　＋＋＋　Markroll　k/r　＋＋＋");
}

QString defaultFavoritesPath()
{
    return QStringLiteral("C:\\Documents and Settings\\Administrator\\Favorites");
}

// The generate button's own face: MS P Gothic where it exists, a Japanese
// Gothic elsewhere, 11.25 points, bold.
QFont generateButtonFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(11.25);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLineEdit* makeBox(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

FrmMain::FrmMain(WindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      services_(services),
      generator_({*this, services.boxes, services.platform})
{
    registerResources();
    // A tool window keeps off the taskbar, but Qt would not end the program
    // when it closes; this one is the program.
    setAttribute(Qt::WA_QuitOnClose, true);
    setObjectName(QStringLiteral("Frm_Main"));
    setWindowTitle(windowCaption());
    setWindowIcon(QIcon(QStringLiteral(":/markroll/markroll.ico")));
    setFixedSize(427, 139);
    buildControls();
    connect(Cmd_Do, &QPushButton::clicked, this, &FrmMain::generate);
    connect(Command2, &QPushButton::clicked, this, [this] { browseInto(Txt_Favorite); });
    connect(Command1, &QPushButton::clicked, this, [this] { browseInto(Txt_OutPut); });
}

void FrmMain::buildControls()
{
    Cmd_Do = makeButton(this, "Cmd_Do", QStringLiteral("Html出力"), {333, 104, 84, 25});
    Cmd_Do->setFont(generateButtonFont());
    Txt_Favorite = makeBox(this, "Txt_Favorite", defaultFavoritesPath(), {9, 24, 370, 19});
    Label1 = makeLabel(this, "Label1", QStringLiteral("Favorites （お気に入り） フォルダのパス"), {9, 8, 370, 13});
    Txt_OutPut = makeBox(this, "Txt_OutPut", QString(), {9, 72, 370, 19});
    Label2 = makeLabel(this, "Label2", QStringLiteral("ファイル出力先フォルダのパス"), {9, 56, 370, 13});
    Command2 = makeButton(this, "Command2", QStringLiteral("参照"), {380, 21, 40, 23});
    Command1 = makeButton(this, "Command1", QStringLiteral("参照"), {380, 69, 40, 23});

    setTabOrder(Cmd_Do, Txt_Favorite);
    setTabOrder(Txt_Favorite, Txt_OutPut);
    setTabOrder(Txt_OutPut, Command2);
    setTabOrder(Command2, Command1);
    Cmd_Do->setFocus(Qt::OtherFocusReason);
}

std::u16string FrmMain::favoriteText() const { return toU16(Txt_Favorite->text()); }

std::u16string FrmMain::outputText() const { return toU16(Txt_OutPut->text()); }

// Only the blank test trims; the run gets both texts exactly as typed.
void FrmMain::generate()
{
    if (isBlank(favoriteText()) || isBlank(outputText())) {
        services_.boxes.show(messages::BlankInput, MessageStyle::Exclamation);
        return;
    }
    setCursor(Qt::WaitCursor);
    generator_.MakeLinkPage();
    unsetCursor();
}

QString FrmMain::FolderShell()
{
    try {
        const auto chosen = services_.picker.browseForFolder(winId(), messages::PickerTitle);
        if (!chosen)
            return {};
        // Only a folder on a drive has a path made of the host's separators.
        if (chosen->find(hostSeparator()) == std::u16string::npos) {
            services_.boxes.show(messages::PickFromDrive, MessageStyle::Information);
            return {};
        }
        return toQString(*chosen);
    } catch (const ScriptError&) {
        services_.boxes.show(messages::BrowseUnavailable, MessageStyle::Plain);
        return {};
    }
}

void FrmMain::browseInto(QLineEdit* box)
{
    const QString path = FolderShell();
    if (!path.isEmpty())
        box->setText(path);
}

} // namespace markroll
