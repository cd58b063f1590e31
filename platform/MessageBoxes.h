#pragma once

#include <QString>

namespace markroll {

// Style values of a message box: the icon it shows; every box has one OK button.
enum MessageStyle : int {
    PlainMessage = 0,
    ExclamationMessage = 48,
    InformationMessage = 64,
};

inline QString applicationTitle() { return QStringLiteral("Markroll"); }

// A modal message box: returns only when the user has closed it. An empty
// title shows the application title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString& text, MessageStyle style, const QString& title = {}) = 0;

    static QString effectiveTitle(const QString& title)
    {
        return title.isEmpty() ? applicationTitle() : title;
    }
};

} // namespace markroll
