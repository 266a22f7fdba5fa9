#include "platform/qt/native_window_property.h"

#include <QGuiApplication>
#include <QWidget>

#include "platform/x11/window_property.h"

namespace vesk::platform::qt {

namespace {

xcb_connection_t* connection() {
    if (!qGuiApp) return nullptr;
    const auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return native ? native->connection() : nullptr;
}

}  // namespace

void setNativeWindowProperty(QWidget& window, std::string_view name, int value) {
    if (xcb_connection_t* c = connection()) {
        platform::x11::setCardinalProperty(c, static_cast<xcb_window_t>(window.winId()), name,
                                           static_cast<std::uint32_t>(value));
    }
}

void removeNativeWindowProperty(QWidget& window, std::string_view name) {
    xcb_connection_t* c = connection();
    if (c && window.internalWinId()) {
        platform::x11::deleteProperty(c, static_cast<xcb_window_t>(window.internalWinId()), name);
    }
}

}  // namespace vesk::platform::qt
