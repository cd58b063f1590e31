#pragma once

#include "FaultyPlatform.h"
#include "FolderPicker.h"
#include "FrmMain.h"

#include <QLineEdit>
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
    std::optional<QUrl> browseForFolder(WindowHandle owner, const QString& title) override
    {
        calls.append({owner, title});
        return answer();
    }
    std::function<std::optional<QUrl>()> answer = [] { return std::nullopt; };
    QList<Call> calls;
};

struct WindowHarness {
    RecordingMessageBoxes boxes;
    ScriptedFolderPicker picker;
    FaultyPlatform platform;
    FrmMain window{{boxes, picker, platform.files(), platform.shells(), platform.listing()}};

    QLineEdit* favorites() { return window.findChild<QLineEdit*>(QStringLiteral("Txt_Favorite")); }
    QLineEdit* output() { return window.findChild<QLineEdit*>(QStringLiteral("Txt_OutPut")); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(QLatin1String(name)); }
};

} // namespace markroll::test
