#include "platform/x11/display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace vesk::platform::x11 {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// Whether a Wayland compositor listens at `name`: a socket path, or a socket of that
// name in the runtime folder.
bool waylandAnswers(std::string_view name) {
    std::string path(name);
    if (!name.starts_with('/')) path = std::string(environment("XDG_RUNTIME_DIR")) + "/" + path;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answers =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return answers;
}

}  // namespace

bool waylandDisplayAnswers() {
    const std::string_view wayland = environment("WAYLAND_DISPLAY");
    return !wayland.empty() && waylandAnswers(wayland);
}

std::string displayProblem() {
    // A Qt platform other than X11 chosen by the user (offscreen, wayland) needs no X display.
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb")) return {};

    // A Wayland session: the window is a Wayland client, whether or not X11 answers too.
    const std::string_view wayland = platform.empty() ? environment("WAYLAND_DISPLAY") : "";
    if (!wayland.empty() && waylandAnswers(wayland)) return {};
    const std::string_view display = environment("DISPLAY");
    if (display.empty()) {
        if (!wayland.empty()) return "cannot open Wayland display " + std::string(wayland);
        return "no display available (neither WAYLAND_DISPLAY nor DISPLAY is set)";
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) return "cannot open display " + std::string(display);
    return {};
}

}  // namespace vesk::platform::x11
