#pragma once

#include "FaultyPlatform.h"
#include "FolderPicker.h"
#include "FrmMain.h"
#include "QtText.h"

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
    std::optional<std::u16string> browseForFolder(WindowHandle owner, std::u16string_view title) override
    {
        calls.append({owner, toQString(title)});
        return answer();
    }
    std::function<std::optional<std::u16string>()> answer = [] { return std::nullopt; };
    QList<Call> calls;
};

struct WindowHarness {
    RecordingMessageBoxes boxes;
    ScriptedFolderPicker picker;
    FaultyPlatform platform;
    FrmMain window{{boxes, picker, platform}};

    QLineEdit* favorites() { return window.findChild<QLineEdit*>(QStringLiteral("Txt_Favorite")); }
    QLineEdit* output() { return window.findChild<QLineEdit*>(QStringLiteral("Txt_OutPut")); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(QLatin1String(name)); }
};

} // namespace markroll::test
