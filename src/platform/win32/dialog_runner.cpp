#include "platform/dialog_runner.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "layout/main_dialog_layout.h"
#include "platform/win32/accessible_names.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/control_events.h"
#include "platform/win32/dialog.h"
#include "platform/win32/escape_filter.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

// What the dialog procedure keeps for one run of the window.
struct DialogSession {
    DialogEvents& events;
    std::unique_ptr<win32::Win32Dialog> dialog;
    win32::AccessibleNames names;
};

DialogSession* sessionOf(HWND window) {
    return reinterpret_cast<DialogSession*>(GetWindowLongPtrW(window, DWLP_USER));
}

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* session = reinterpret_cast<DialogSession*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
        session->dialog = std::make_unique<win32::Win32Dialog>(window);
        session->names.annotate(window);
        win32::ignoreEscapeInMultiLineEdits(window);
        session->events.onInit(*session->dialog);
        // TRUE asks the dialog manager to focus the first tab stop itself.
        return session->dialog->focusWasSet() ? FALSE : TRUE;
    }
    DialogSession* session = sessionOf(window);
    if (session == nullptr || !session->dialog) return FALSE;
    switch (message) {
        case WM_COMMAND:
            // Every command counts as handled, the dialog's own OK and Cancel included:
            // the window ends only when the events say so.
            if (const auto event = win32::controlEventOf(wParam, lParam)) {
                session->events.onEvent(LOWORD(wParam), *event);
            }
            return TRUE;
        case WM_CLOSE:
            session->events.onClose();
            return TRUE;
        case WM_DESTROY:
            session->events.onDestroy();
            session->names.clear(window);
            SetWindowLongPtrW(window, DWLP_USER, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int runMainDialog(DialogEvents& events) {
    // Registers the version 6 controls the manifest asks for.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The accessible names and the choosers use COM.
    const win32::ComApartment com;
    DialogSession session{events, nullptr, {}};
    const std::wstring templateName = win32::toWide(layout::kDialogTemplateName);
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), templateName.c_str(), nullptr,
                                           dialogProcedure, reinterpret_cast<LPARAM>(&session));
    return static_cast<int>(result);
}

}  // namespace vesk::platform
