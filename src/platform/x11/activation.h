#pragma once

#include <xcb/xcb.h>

#include <string_view>

namespace vesk::platform::x11 {

// The time stamp a launcher puts at the end of a startup-notification ID ("..._TIME1234"),
// XCB_CURRENT_TIME when the ID carries none.
xcb_timestamp_t startupTime(std::string_view startupId);

// Asks the window manager to activate `window` (EWMH _NET_ACTIVE_WINDOW). With a
// startup-notification ID that carries a time stamp the request comes from the
// application with the launch's time, so that the window manager can weigh it against
// what the user did since; otherwise it comes as from a pager, on the user's behalf. A
// given ID is also set as the window's _NET_STARTUP_ID, and the launch's busy feedback is
// ended.
void requestActivation(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                       std::string_view startupId = {});

}  // namespace vesk::platform::x11
