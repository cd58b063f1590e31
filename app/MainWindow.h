#pragma once

#include "window/WindowCommands.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace markroll {

// The program's one window on Linux: two path boxes with their Browse buttons
// and the button that writes the link page. The commands behind the buttons
// are WindowCommands; this class draws the controls and forwards the clicks.
class MainWindow : public QWidget, public WindowControls {
    Q_OBJECT

public:
    explicit MainWindow(WindowServices services, QWidget* parent = nullptr);

    std::u16string favoriteText() const override;
    std::u16string outputText() const override;
    void setFavoriteText(const std::u16string& text) override;
    void setOutputText(const std::u16string& text) override;
    WindowHandle handle() const override;
    void setBusyPointer(bool busy) override;


private:
    void buildControls();

    WindowCommands commands_;
    QPushButton* generateButton_ = nullptr;
    QLineEdit* favoritesBox_ = nullptr;
    QLineEdit* outputBox_ = nullptr;
    QPushButton* favoritesBrowseButton_ = nullptr;
    QPushButton* outputBrowseButton_ = nullptr;
};

} // namespace markroll
