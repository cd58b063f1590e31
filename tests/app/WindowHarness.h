#pragma once

#include "app/MainWindow.h"
#include "app/QtText.h"
#include "tests/support/FaultyHost.h"
#include "window/FolderPicker.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QPushButton>
#include <functional>

namespace markroll::test {

// Answers the folder picker as a test tells it, and records how it was asked.
class ScriptedFolderPicker : public FolderPicker {
public:
    struct Call {
        WindowHandle owner;
        QString title;
    };
    std::optional<std::u16string> browseForFolder(WindowHandle owner, std::u16string_view title) override
    {
        calls.append({owner, toQString(title)});
        return answer();
    }
    std::function<std::optional<std::u16string>()> answer = [] { return std::nullopt; };
    QList<Call> calls;
};

// Waits for a modal window to come up and hands it to `handle`, polling with a
// bounded wait; a box that never shows leaves shown() false rather than
// hanging the test. The timer dies with the test.
class ModalCloser {
public:
    explicit ModalCloser(std::function<void(QWidget*)> handle) : handle_(std::move(handle))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                timer_.stop();
                shown_ = true;
                handle_(modal);
            } else if (++polls_ > 500) {
                timer_.stop();
            }
        });
        timer_.start(20);
    }
    bool shown() const { return shown_; }

private:
    std::function<void(QWidget*)> handle_;
    QTimer timer_;
    int polls_ = 0;
    bool shown_ = false;
};

struct WindowHarness {
    RecordingMessageBoxes boxes;
    ScriptedFolderPicker picker;
    FaultyHost host;
    MainWindow window{{boxes, picker, host}};

    QLineEdit* favorites() { return window.findChild<QLineEdit*>(QStringLiteral("Txt_Favorite")); }
    QLineEdit* output() { return window.findChild<QLineEdit*>(QStringLiteral("Txt_OutPut")); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(QLatin1String(name)); }
};

} // namespace markroll::test
