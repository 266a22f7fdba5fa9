// Bringing a running editor to the front on X11: the main window carries a marker
// property; the search walks the managed top-level windows from the top of the stacking
// order, and activates the marked window's newest modal dialog if one is open.
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <ranges>
#include <string_view>
#include <vector>

#include "platform/window_search.h"
#include "platform/x11/activation.h"
#include "platform/x11/window_property.h"

namespace vesk::platform::x11 {
namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

struct Connection {
    xcb_connection_t* handle = xcb_connect(nullptr, nullptr);
    ~Connection() { xcb_disconnect(handle); }
    bool ok() const { return xcb_connection_has_error(handle) == 0; }
};

std::vector<xcb_window_t> windowList(xcb_connection_t* c, xcb_window_t root, xcb_atom_t list) {
    if (list == XCB_ATOM_NONE) return {};
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, list, XCB_ATOM_WINDOW, 0, 1u << 16),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32) return {};
    const auto* first = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return {first, first + count};
}

// Children of the root that are mapped, bottom to top: the top-level windows when no
// window manager keeps a client list.
std::vector<xcb_window_t> mappedRootChildren(xcb_connection_t* c, xcb_window_t root) {
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr),
                                       &std::free);
    if (!tree) return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    std::vector<xcb_get_window_attributes_cookie_t> cookies;
    for (int i = 0; i < count; ++i) cookies.push_back(xcb_get_window_attributes(c, children[i]));
    std::vector<xcb_window_t> mapped;
    for (int i = 0; i < count; ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, cookies[static_cast<std::size_t>(i)], nullptr),
            &std::free);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            !attributes->override_redirect) {
            mapped.push_back(children[i]);
        }
    }
    return mapped;
}

// For each window, the window it is a transient (dialog) of, or XCB_WINDOW_NONE.
std::vector<xcb_window_t> transientOwners(xcb_connection_t* c,
                                          const std::vector<xcb_window_t>& windows) {
    std::vector<xcb_get_property_cookie_t> cookies;
    for (xcb_window_t w : windows) {
        cookies.push_back(
            xcb_get_property(c, 0, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1));
    }
    std::vector<xcb_window_t> owners;
    for (auto cookie : cookies) {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr),
                                              &std::free);
        xcb_window_t owner = XCB_WINDOW_NONE;
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4) {
            owner = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
        }
        owners.push_back(owner);
    }
    return owners;
}

// Follows the chain of dialogs owned by `window`, taking the topmost at each step, and
// returns the last one: the pop-up the user worked in most recently.
xcb_window_t lastActivePopup(xcb_window_t window, const std::vector<xcb_window_t>& bottomToTop,
                             const std::vector<xcb_window_t>& owners) {
    for (std::size_t depth = 0; depth < bottomToTop.size(); ++depth) {
        xcb_window_t next = XCB_WINDOW_NONE;
        for (std::size_t i = bottomToTop.size(); i-- > 0;) {
            if (owners[i] == window && bottomToTop[i] != window) {
                next = bottomToTop[i];
                break;
            }
        }
        if (next == XCB_WINDOW_NONE) break;
        window = next;
    }
    return window;
}

void raiseAndFocus(xcb_connection_t* c, xcb_window_t window) {
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
}

}  // namespace
}  // namespace vesk::platform::x11

namespace vesk::platform {

bool activateWindowWithProperty(std::string_view marker) {
    using namespace x11;
    Connection connection;
    if (!connection.ok()) return false;
    xcb_connection_t* c = connection.handle;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen) return false;
    const xcb_window_t root = screen->root;

    // No window can carry a property whose name no client has ever interned.
    const xcb_atom_t property = x11::internAtom(c, marker, true);
    if (property == XCB_ATOM_NONE) return false;

    std::vector<xcb_window_t> windows =
        windowList(c, root, x11::internAtom(c, "_NET_CLIENT_LIST_STACKING", true));
    if (windows.empty())
        windows = windowList(c, root, x11::internAtom(c, "_NET_CLIENT_LIST", true));
    const bool managed = !windows.empty();
    if (!managed) windows = mappedRootChildren(c, root);

    for (xcb_window_t window : std::views::reverse(windows)) {
        const auto value = x11::cardinalProperty(c, window, property);
        if (!value || *value == 0) continue;
        const xcb_window_t target = lastActivePopup(window, windows, transientOwners(c, windows));
        if (managed) {
            x11::requestActivation(c, root, target);
        } else {
            raiseAndFocus(c, target);
        }
        // A round trip makes sure the request has reached the server before we go.
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        return true;
    }
    return false;
}

}  // namespace vesk::platform
