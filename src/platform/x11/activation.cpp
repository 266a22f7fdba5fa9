#include "platform/x11/activation.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

#include "platform/x11/window_property.h"

namespace vesk::platform::x11 {
namespace {

constexpr std::uint32_t kSourceApplication = 1;
constexpr std::uint32_t kSourcePager = 2;

// Startup notification: a text message to the root window in 20-byte pieces, the first of
// type _NET_STARTUP_INFO_BEGIN. "remove" tells the launcher the launch has ended.
void sendStartupMessage(xcb_connection_t* c, xcb_window_t root, xcb_window_t from,
                        const std::string& text) {
    const xcb_atom_t begin = internAtom(c, "_NET_STARTUP_INFO_BEGIN", false);
    const xcb_atom_t more = internAtom(c, "_NET_STARTUP_INFO", false);
    if (begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE) return;
    const std::size_t length = text.size() + 1;  // with its terminating zero
    for (std::size_t offset = 0; offset < length; offset += 20) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = from;
        message.type = offset == 0 ? begin : more;
        std::memcpy(message.data.data8, text.c_str() + offset,
                    std::min<std::size_t>(20, length - offset));
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&message));
    }
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\') out += '\\';
        out += ch;
    }
    return out + "\"";
}

}  // namespace

xcb_timestamp_t startupTime(std::string_view startupId) {
    const std::size_t mark = startupId.rfind("_TIME");
    if (mark == std::string_view::npos) return XCB_CURRENT_TIME;
    const std::string_view digits = startupId.substr(mark + 5);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), time);
    return error == std::errc() && end == digits.data() + digits.size() ? time : XCB_CURRENT_TIME;
}

void requestActivation(xcb_connection_t* c, xcb_window_t root, xcb_window_t window,
                       std::string_view startupId) {
    if (!startupId.empty()) {
        const xcb_atom_t property = internAtom(c, "_NET_STARTUP_ID", false);
        const xcb_atom_t utf8 = internAtom(c, "UTF8_STRING", false);
        if (property != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE) {
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, utf8, 8,
                                static_cast<std::uint32_t>(startupId.size()), startupId.data());
        }
        sendStartupMessage(c, root, window, "remove: ID=" + quoted(startupId));
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = internAtom(c, "_NET_ACTIVE_WINDOW", false);
    const xcb_timestamp_t time = startupTime(startupId);
    message.data.data32[0] = time == XCB_CURRENT_TIME ? kSourcePager : kSourceApplication;
    message.data.data32[1] = time;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

}  // namespace vesk::platform::x11
