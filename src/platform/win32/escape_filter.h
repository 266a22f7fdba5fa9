#pragma once

#include <windows.h>

namespace vesk::platform::win32 {

// A multi-line edit control in a dialog answers Escape by sending the dialog WM_CLOSE,
// which the window cannot tell from the user closing it. This makes Escape do nothing
// in every multi-line edit control of `dialog`, as it does in its other controls; the
// title bar, the system menu and Alt+F4 still close the window.
void ignoreEscapeInMultiLineEdits(HWND dialog);

}  // namespace vesk::platform::win32
