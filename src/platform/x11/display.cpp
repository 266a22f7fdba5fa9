#include "platform/x11/display.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace vesk::platform::x11 {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string displayProblem() {
    // A Qt platform other than X11 chosen by the user (offscreen, wayland) needs no X display.
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb")) return {};

    // A Wayland session: the window is a Wayland client, whether or not X11 answers too.
    if (platform.empty() && !environment("WAYLAND_DISPLAY").empty()) return {};
    const std::string_view display = environment("DISPLAY");
    if (display.empty()) return "no display available (neither WAYLAND_DISPLAY nor DISPLAY is set)";
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) return "cannot open display " + std::string(display);
    return {};
}

}  // namespace vesk::platform::x11
