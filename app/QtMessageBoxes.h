#pragma once

#include "MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace markroll {

// Application-modal message boxes with one OK button, owned by the main window.
class QtMessageBoxes : public MessageBoxes {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void show(const QString& text, MessageStyle style, const QString& title = {}) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace markroll
