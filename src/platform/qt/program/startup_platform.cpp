#include "platform/qt/program/startup_platform.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFontDatabase>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/dialog_runner.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/startup/after_first_frame.h"
#include "platform/qt/startup/application_bus.h"
#include "platform/qt/startup/application_service.h"
#include "platform/qt/startup/background_task.h"
#include "platform/qt/startup/fusion_group_box_frame_style.h"
#include "platform/qt/startup/japanese_texts.h"
#include "platform/qt/startup/lazy_extension_icon_style.h"
#include "platform/qt/window_activation.h"
#include "platform/single_instance.h"
#include "platform/window_search.h"
#include "vesk_version.h"

namespace vesk::platform::qt {
namespace {

// When the editor claims its name on the session bus should its window not be drawn.
constexpr std::chrono::milliseconds kLatestPublish{2000};

// The token a launcher gives the program it starts: an xdg-activation token on
// Wayland, a startup-notification ID on X11.
QString launchToken() {
    for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        const char* value = std::getenv(name);
        if (value && value[0] != '\0') return QString::fromUtf8(value);
    }
    return {};
}

// Whether the session names a bus: its address, or the per-user bus socket. Without
// either, connecting would launch a bus daemon just to find nobody on it.
bool sessionBusNamed() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && address[0] != '\0') return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    return runtime && runtime[0] == '/' &&
           ::stat((std::string(runtime) + "/bus").c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

InstanceLock QtStartupPlatform::acquireInstanceLock(std::string_view name) {
    return platform::acquireInstanceLock(name);
}

bool QtStartupPlatform::activateWindowWithProperty(std::string_view marker) {
    if (sessionBusNamed()) {
        // The running editor is asked over the session bus, which works on Wayland and
        // X11 alike and passes this start's token on. Qt's bus connection wants an
        // application object; a core one costs next to nothing.
        const QCoreApplication core(argc_, argv_);
        if (activateRunningApplication(QDBusConnection::sessionBus(),
                                       QString::fromLatin1(kApplicationId), launchToken())) {
            return true;
        }
    }
    // Without a session bus (or an editor on it) the window is searched for on X11.
    return platform::activateWindowWithProperty(marker);
}

int QtStartupPlatform::runMainDialog(DialogEvents& events) {
    // Slow steps of showing a window with text run on other threads, overlapping with
    // the steps that need none of them: the system's font configuration is loaded while
    // Qt connects to the display and loads its plug-ins; then, while the window and its
    // menu are made, Qt's font database is filled and the window font measured, the
    // session bus (which the accessibility bridge connects to with the first text a
    // widget gets) is connected to. Qt's font database, fonts and bus connection are safe to
    // use from any thread.
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
    // A later start asks this editor to come to the front through the session bus. The
    // name is claimed once the window has drawn itself: until then there is nothing to
    // raise, and the claim's round trip to the bus is not on the way to the first frame.
    // It goes to a second thread, as the window may yet have to draw itself again for
    // the window manager. The bus is connected by then, so nothing is forked there.
    ApplicationService service(QString::fromLatin1(kApplicationId), activateWindowFromOutside);
    std::optional<BackgroundTask> publishing;
    const AfterFirstFrame publish(
        [&] { publishing.emplace([&service] { service.publish(QDBusConnection::sessionBus()); }); },
        kLatestPublish);
    const BackgroundTask fontDatabase([] {
        QFontDatabase::families();
        dialogUnits();
    });
    // The style that draws the group box asks itself for its frame, not the proxy wrapping
    // it, so the frame's style is the innermost.
    QApplication::setStyle(new LazyExtensionIconStyle(new FusionGroupBoxFrameStyle));
    QApplication::setApplicationName(QStringLiteral("vesk-edit"));
    // The desktop entry's name: Wayland compositors match the window to it by this ID.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    const QtJapaneseTexts japanese;
    return platform::runMainDialog(events);
}

}  // namespace vesk::platform::qt
