#include "qt_startup_platform.h"

#include <QApplication>

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
    QApplication application(argc_, argv_);
    QApplication::setApplicationName(QStringLiteral("vesk-edit"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesk-edit"));
    const QtJapaneseTexts japanese;
    return platform::runMainDialog(events);
}

}  // namespace vesk::platform::qt
