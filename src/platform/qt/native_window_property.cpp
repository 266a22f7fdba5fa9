#include "qt_x11.h"

#include <QGuiApplication>
#include <QWidget>

#include "platform/qt/x11_window_property.h"

namespace vesk::platform::qt::x11 {

namespace {

xcb_connection_t* connection() {
    if (!qGuiApp) return nullptr;
    const auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return native ? native->connection() : nullptr;
}

}  // namespace

void setWindowProperty(QWidget& window, std::string_view name, int value) {
    if (xcb_connection_t* c = connection()) {
        platform::x11::setCardinalProperty(c, static_cast<xcb_window_t>(window.winId()), name,
                                           static_cast<std::uint32_t>(value));
    }
}

void removeWindowProperty(QWidget& window, std::string_view name) {
    xcb_connection_t* c = connection();
    if (c && window.internalWinId()) {
        platform::x11::deleteProperty(c, static_cast<xcb_window_t>(window.internalWinId()), name);
    }
}

}  // namespace vesk::platform::qt::x11
