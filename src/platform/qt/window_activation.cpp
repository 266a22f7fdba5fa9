#include "platform/qt/window_activation.h"

#include <QApplication>
#include <QGuiApplication>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <memory>

#include "platform/qt/dialog_window.h"
#include "platform/x11/activation.h"

namespace vesk::platform::qt {
namespace {

xcb_window_t rootOf(xcb_connection_t* c, xcb_window_t window) {
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free);
    return tree ? tree->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

}  // namespace

QWidget* windowToActivate() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && dynamic_cast<DialogWindow*>(window)) return window;
    }
    return nullptr;
}

void activateWindowFromOutside(const QString& token) {
    QWidget* window = windowToActivate();
    if (!window) return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // Qt 6 reads the token from the environment with the next activation request
        // and removes it there.
        if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
        window->activateWindow();
        return;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) {
        xcb_connection_t* c = x11->connection();
        const auto id = static_cast<xcb_window_t>(window->winId());
        const xcb_window_t root = rootOf(c, id);
        if (root != XCB_WINDOW_NONE) x11::requestActivation(c, root, id, token.toStdString());
        return;
    }
    window->raise();
    window->activateWindow();
}

}  // namespace vesk::platform::qt
