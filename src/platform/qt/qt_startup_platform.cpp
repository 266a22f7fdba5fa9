#include "qt_startup_platform.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDBusConnection>

#include "background_task.h"
#include "platform/dialog_runner.h"
#include "platform/single_instance.h"
#include "platform/window_search.h"
#include "qt_japanese_texts.h"

namespace vesk::platform::qt {

InstanceLock QtStartupPlatform::acquireInstanceLock(std::string_view name) {
    return platform::acquireInstanceLock(name);
}

bool QtStartupPlatform::activateWindowWithProperty(std::string_view marker) {
    return platform::activateWindowWithProperty(marker);
}

int QtStartupPlatform::runMainDialog(DialogEvents& events) {
    // Two slow steps of showing a window with text overlap with Qt's own start-up: the
    // system's font configuration is loaded while Qt connects to the display and loads
    // its plug-ins (Qt's font database then finds it loaded), and the session bus, which
    // the accessibility bridge connects to with the first text a widget gets, is
    // connected to while the window's fonts and menu are set up.
    BackgroundTask fontConfiguration([] { FcInit(); });
    QApplication application(argc_, argv_);
    fontConfiguration.wait();
    const BackgroundTask sessionBus([] { QDBusConnection::sessionBus(); });
    QApplication::setApplicationName(QStringLiteral("vesk-edit"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesk-edit"));
    const QtJapaneseTexts japanese;
    return platform::runMainDialog(events);
}

}  // namespace vesk::platform::qt
