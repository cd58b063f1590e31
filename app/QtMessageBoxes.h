#pragma once

#include "generator/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace markroll {

// Application-modal message boxes with one OK button, owned by the main window.
class QtMessageBoxes : public MessageBoxes {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace markroll
