#pragma once

#include <windows.h>

#include <optional>

#include "platform/dialog.h"

namespace vesk::platform::win32 {

// The event a WM_COMMAND of the main window stands for: a menu command, an accelerator or
// a control's notification, read by the kind of control the layout table gives its ID.
// nullopt for notifications the window has no event for.
std::optional<ControlEvent> controlEventOf(WPARAM wParam, LPARAM lParam);

}  // namespace vesk::platform::win32
