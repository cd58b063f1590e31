#pragma once

#include "Module1.h"
#include "PathBoxes.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace markroll {

class FolderPicker;

struct WindowServices {
    MessageBoxes& boxes;
    FolderPicker& picker;
    Platform& platform;
};

// The program's one window: two path boxes with their Browse buttons and the
// button that writes the link page.
class FrmMain : public QWidget, public PathBoxes {
    Q_OBJECT

public:
    explicit FrmMain(WindowServices services, QWidget* parent = nullptr);

    std::u16string favoriteText() const override;
    std::u16string outputText() const override;

    // Shows the folder picker; the chosen folder's path, or empty when there is
    // nothing to fill in.
    QString FolderShell();

    Module1& generator() { return generator_; }

private:
    void buildControls();
    void generate();
    void browseInto(QLineEdit* box);

    WindowServices services_;
    Module1 generator_;
    QPushButton* Cmd_Do = nullptr;
    QLineEdit* Txt_Favorite = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Txt_OutPut = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace markroll
