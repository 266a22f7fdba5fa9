// vesk-edit: the editor's entry point on Linux.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "platform/qt/program/startup_platform.h"
#include "platform/x11/display.h"

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

}  // namespace

int main(int argc, char** argv) {
    // Start-up's helper threads would each get a heap of their own from the C library,
    // which stays resident after them; they allocate little, so they share the one heap.
    mallopt(M_ARENA_MAX, 1);
    const std::string problem = vesk::platform::x11::displayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "vesk-edit: %s\n", problem.c_str());
        return 1;
    }
    // On a Wayland desktop the window is a Wayland client, with X11 (XWayland) as the
    // fallback where Qt's Wayland plug-in is missing; otherwise it is an X11 client.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        const bool wayland = vesk::platform::x11::waylandDisplayAnswers();
        const bool x11 = isSet("DISPLAY");
        if (wayland) setenv("QT_QPA_PLATFORM", x11 ? "wayland;xcb" : "wayland", 0);
        if (!wayland && x11) setenv("QT_QPA_PLATFORM", "xcb", 0);
    }
    vesk::platform::qt::QtStartupPlatform platform(argc, argv);
    return vesk::runEditorProgram(platform);
}
