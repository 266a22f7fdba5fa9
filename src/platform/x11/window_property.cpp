#include "platform/x11/window_property.h"

#include <cstdlib>
#include <memory>

namespace vesk::platform::x11 {

xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name, bool onlyIfExists) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(
        connection, onlyIfExists ? 1 : 0, static_cast<std::uint16_t>(name.size()), name.data());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void setCardinalProperty(xcb_connection_t* connection, xcb_window_t window, std::string_view name,
                         std::uint32_t value) {
    const xcb_atom_t atom = internAtom(connection, name, false);
    if (atom == XCB_ATOM_NONE) return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom, XCB_ATOM_CARDINAL, 32, 1,
                        &value);
    xcb_flush(connection);
}

void deleteProperty(xcb_connection_t* connection, xcb_window_t window, std::string_view name) {
    const xcb_atom_t atom = internAtom(connection, name, true);
    if (atom == XCB_ATOM_NONE) return;
    xcb_delete_property(connection, window, atom);
    xcb_flush(connection);
}

std::optional<std::uint32_t> cardinalProperty(xcb_connection_t* connection, xcb_window_t window,
                                              xcb_atom_t property) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, XCB_ATOM_ANY, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return std::nullopt;
    }
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

}  // namespace vesk::platform::x11
