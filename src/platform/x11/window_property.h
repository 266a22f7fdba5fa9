#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace vesk::platform::x11 {

// XCB_ATOM_NONE when `onlyIfExists` and no client has named the atom yet.
xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name, bool onlyIfExists);

// A named 32-bit CARDINAL property on a window, readable by every other X client.
void setCardinalProperty(xcb_connection_t* connection, xcb_window_t window, std::string_view name,
                         std::uint32_t value);
void deleteProperty(xcb_connection_t* connection, xcb_window_t window, std::string_view name);

// The first 32-bit value of the property, if the window carries it.
std::optional<std::uint32_t> cardinalProperty(xcb_connection_t* connection, xcb_window_t window,
                                              xcb_atom_t property);

}  // namespace vesk::platform::x11
