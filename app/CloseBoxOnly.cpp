#include "app/CloseBoxOnly.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace markroll {
namespace {

// The Motif window manager hints, as every X11 window manager reads them.
constexpr std::uint32_t FunctionsAndDecorations = 1 | 2;
constexpr std::uint32_t FunctionMove = 4;
constexpr std::uint32_t FunctionClose = 32;
constexpr std::uint32_t DecorationBorder = 2;
constexpr std::uint32_t DecorationTitle = 8;
constexpr std::uint32_t DecorationMenu = 16;

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

void CloseBoxOnly::applyTo(QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t hints = atomNamed(connection, "_MOTIF_WM_HINTS");
    if (hints == XCB_ATOM_NONE)
        return;
    const std::array<std::uint32_t, 5> values{FunctionsAndDecorations, FunctionMove | FunctionClose,
                                              DecorationBorder | DecorationTitle | DecorationMenu, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), hints, hints, 32,
                        std::uint32_t(values.size()), values.data());
    xcb_flush(connection);
}

bool CloseBoxOnly::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType())
        applyTo(*static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

} // namespace markroll
