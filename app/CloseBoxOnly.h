#pragma once

#include <QObject>

namespace markroll {

// Asks the X11 window manager for a fixed frame with the close box only: the
// Motif hints allow moving and closing, and decorate with a border, a title
// and the window menu, no minimize or maximize box and no resize handles.
// Qt sets these hints from the window flags but always adds resizing, so they
// are set again each time the window is shown. KWin, Mutter and Xfwm follow
// them; Openbox takes only the fixed size from them (no maximize, no resize)
// and keeps its minimize box. Does nothing off X11.
class CloseBoxOnly : public QObject {
public:
    using QObject::QObject;
    static void applyTo(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace markroll
