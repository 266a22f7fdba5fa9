// vesk-window-probe PROGRAM [ARGS...]
// Starts PROGRAM and prints, on one line, the milliseconds from its start until its first
// top-level window is mapped on the X display, the milliseconds until that window shows
// its first drawn pixels, and its resident memory in KiB half a second later. Then ends
// the program. Exit code 1 if no window appears within 30 s.
// Drawn means that the pixel in the middle of the window is no longer black, so the X
// server must have a black root window (Xvfb -br).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Waits until the middle pixel of `window` is no longer black.
bool waitForDrawing(xcb_connection_t* c, xcb_window_t window,
                    std::chrono::steady_clock::time_point deadline) {
    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry) return false;
    const auto x = static_cast<std::int16_t>(geometry->width / 2);
    const auto y = static_cast<std::int16_t>(geometry->height / 2);
    std::free(geometry);
    while (std::chrono::steady_clock::now() < deadline) {
        auto* image = xcb_get_image_reply(
            c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, 0x00ffffff),
            nullptr);
        bool drawn = false;
        if (image) {
            const std::uint8_t* pixel = xcb_get_image_data(image);
            for (int i = 0; i < xcb_get_image_data_length(image); ++i) drawn |= pixel[i] != 0;
            std::free(image);
        }
        if (drawn) return true;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return false;
}

// Waits for the first MapNotify of a window that is not override-redirect.
xcb_window_t waitForMap(xcb_connection_t* c, std::chrono::steady_clock::time_point deadline) {
    const int fd = xcb_get_file_descriptor(c);
    while (std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const xcb_window_t window =
                (event->response_type & 0x7f) == XCB_MAP_NOTIFY && !map->override_redirect
                    ? map->window
                    : xcb_window_t{XCB_WINDOW_NONE};
            std::free(event);
            if (window != XCB_WINDOW_NONE) return window;
        }
        if (xcb_connection_has_error(c)) return XCB_WINDOW_NONE;
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 20);
    }
    return XCB_WINDOW_NONE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vesk-window-probe PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "vesk-window-probe: cannot open the display\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // in effect now

    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const auto deadline = started + std::chrono::seconds(30);
    const xcb_window_t window = waitForMap(c, deadline);
    const auto mapped = std::chrono::steady_clock::now() - started;
    const bool shown = window != XCB_WINDOW_NONE && waitForDrawing(c, window, deadline);
    const auto drawn = std::chrono::steady_clock::now() - started;
    long rss = -1;
    if (shown) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        rss = residentKiB(child);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(c);
    if (!shown) {
        std::fprintf(stderr, "vesk-window-probe: no window from %s\n", argv[1]);
        return 1;
    }
    using Ms = std::chrono::duration<double, std::milli>;
    std::printf("%.1f %.1f %ld\n", Ms(mapped).count(), Ms(drawn).count(), rss);
    return 0;
}
