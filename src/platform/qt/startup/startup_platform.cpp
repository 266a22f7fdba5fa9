#include "platform/qt/startup/startup_platform.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QBuffer>
#include <QDBusConnection>
#include <QFontDatabase>
#include <QImageReader>

#include "platform/dialog_runner.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/startup/background_task.h"
#include "platform/qt/startup/japanese_texts.h"
#include "platform/qt/startup/lazy_extension_icon_style.h"
#include "platform/single_instance.h"
#include "platform/window_search.h"

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
    // Qt connects to the display and loads its plug-ins; then, while the window and its
    // menu are made, Qt's font database is filled and the window font measured, the
    // session bus (which the accessibility bridge connects to with the first text a
    // widget gets) is connected to, and the image format plug-ins are loaded, which the
    // first image the style draws (a group box frame) would otherwise load. Qt's font
    // database, fonts, bus connection and image readers are safe to use from any thread.
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
    const BackgroundTask fontDatabase([] {
        QFontDatabase::families();
        dialogUnits();
    });
    const BackgroundTask imagePlugins([] {
        // Asking whether PNG can be read makes Qt load every image format plug-in.
        QBuffer nothing;
        nothing.open(QIODevice::ReadOnly);
        QImageReader(&nothing, "png").canRead();
    });
    QApplication::setStyle(new LazyExtensionIconStyle);
    QApplication::setApplicationName(QStringLiteral("vesk-edit"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesk-edit"));
    const QtJapaneseTexts japanese;
    return platform::runMainDialog(events);
}

}  // namespace vesk::platform::qt
