#include "platform/window_search.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace vesk::platform {

bool activateWindowWithProperty(std::string_view marker) {
    const std::wstring property = win32::toWide(marker);
    // The top-level windows are the desktop window's children, in z-order.
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetPropW(window, property.c_str()) == nullptr) continue;
        SetForegroundWindow(GetLastActivePopup(window));
        return true;
    }
    return false;
}

}  // namespace vesk::platform
