#include "platform/win32/control_events.h"

#include "layout/main_dialog_layout.h"

namespace vesk::platform::win32 {
namespace {

std::optional<layout::ControlKind> kindOf(int id) {
    for (const layout::Control& c : layout::kControls) {
        if (c.id == id && c.id != layout::kNoId) return c.kind;
    }
    return std::nullopt;
}

std::optional<ControlEvent> dropDownListEvent(WORD code) {
    switch (code) {
        case CBN_SELCHANGE:
            return ControlEvent::SelectionChanged;
        case CBN_SELENDOK:
            return ControlEvent::SelectionConfirmed;
        default:
            return std::nullopt;
    }
}

std::optional<ControlEvent> editEvent(WORD code) {
    switch (code) {
        case EN_CHANGE:
            return ControlEvent::TextEdited;
        case EN_SETFOCUS:
            return ControlEvent::FocusEntered;
        case EN_KILLFOCUS:
            return ControlEvent::FocusLeft;
        default:
            return std::nullopt;  // EN_UPDATE comes with every EN_CHANGE, just before it
    }
}

}  // namespace

std::optional<ControlEvent> controlEventOf(WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam);
    // A menu command (0) or an accelerator (1) comes without a control window; so do
    // the commands the dialog manager sends for Enter and Escape (IDOK, IDCANCEL).
    if (lParam == 0) return ControlEvent::Pressed;
    switch (kindOf(LOWORD(wParam)).value_or(layout::ControlKind::PushButton)) {
        case layout::ControlKind::DropDownList:
            return dropDownListEvent(code);
        case layout::ControlKind::ListBox:
            if (code == LBN_SELCHANGE) return ControlEvent::SelectionChanged;
            return std::nullopt;
        case layout::ControlKind::Edit:
            return editEvent(code);
        default:
            if (code == BN_CLICKED) return ControlEvent::Pressed;
            return std::nullopt;
    }
}

}  // namespace vesk::platform::win32
