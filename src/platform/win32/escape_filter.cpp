#include "platform/win32/escape_filter.h"

#include <commctrl.h>

#include <iterator>

namespace vesk::platform::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x1B;

LRESULT CALLBACK swallowEscape(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    // VK_ESCAPE is also the character code the key produces.
    const bool escapeKey =
        (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR) && wParam == VK_ESCAPE;
    if (escapeKey) return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, swallowEscape, kSubclassId);
    return DefSubclassProc(control, message, wParam, lParam);
}

BOOL CALLBACK filterIfMultiLineEdit(HWND child, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, static_cast<int>(std::size(className)));
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (lstrcmpiW(className, L"Edit") == 0 && (style & ES_MULTILINE) != 0) {
        SetWindowSubclass(child, swallowEscape, kSubclassId, 0);
    }
    return TRUE;
}

}  // namespace

void ignoreEscapeInMultiLineEdits(HWND dialog) {
    EnumChildWindows(dialog, filterIfMultiLineEdit, 0);
}

}  // namespace vesk::platform::win32
