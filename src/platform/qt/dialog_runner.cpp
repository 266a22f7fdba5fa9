#include <QApplication>

#include "platform/dialog_runner.h"
#include "platform/qt/dialog.h"

namespace vesk::platform {

int runMainDialog(DialogEvents& events) {
    if (!QApplication::instance()) return -1;
    // The window's own loop decides when the run is over, not the last window to close.
    QApplication::setQuitOnLastWindowClosed(false);
    qt::QtDialog dialog(events);
    return dialog.run();
}

}  // namespace vesk::platform
