// vesk-edit: the editor's entry point on Linux.
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "platform/qt/startup/startup_platform.h"
#include "platform/x11/display.h"

int main(int argc, char** argv) {
    const std::string problem = vesk::platform::x11::displayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "vesk-edit: %s\n", problem.c_str());
        return 1;
    }
    // Finding and activating a running editor works through X11, so on a Wayland desktop
    // the window runs through its X11 server as well.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") != nullptr) {
        setenv("QT_QPA_PLATFORM", "xcb", 0);
    }
    vesk::platform::qt::QtStartupPlatform platform(argc, argv);
    return vesk::runEditorProgram(platform);
}
