#include "qt_startup_platform.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDBusConnection>
#include <QFontDatabase>

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
    // Slow steps of showing a window with text run on other threads, overlapping with
    // the steps that need none of them: the system's font configuration is loaded while
    // Qt connects to the display and loads its plug-ins; then Qt's font database is
    // filled while the window and its menu are made, and the session bus, which the
    // accessibility bridge connects to with the first text a widget gets, is connected
    // to. Qt's font database and bus connection are safe to use from any thread.
    BackgroundTask fontConfiguration([] { FcInit(); });
    QApplication application(argc_, argv_);
    fontConfiguration.wait();
#if defined(__SANITIZE_ADDRESS__)
    // Without a running bus the connection forks a helper, and AddressSanitizer's
    // allocator can leave a child forked from a second thread waiting for ever on a lock.
    QDBusConnection::sessionBus();
#else
    const BackgroundTask sessionBus([] { QDBusConnection::sessionBus(); });
#endif
    const BackgroundTask fontDatabase([] { QFontDatabase::families(); });
    QApplication::setApplicationName(QStringLiteral("vesk-edit"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesk-edit"));
    const QtJapaneseTexts japanese;
    return platform::runMainDialog(events);
}

}  // namespace vesk::platform::qt
