#include "style_names.h"

#include <algorithm>

namespace vesk::tools {

using layout::ControlKind;

std::string windowClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Static";
        case ControlKind::GroupBox:
        case ControlKind::PushButton:
            return "Button";
        case ControlKind::DropDownList:
            return "ComboBox";
        case ControlKind::ListBox:
            return "ListBox";
        case ControlKind::Edit:
            return "Edit";
    }
    return {};
}

std::vector<std::string> styleNamesOf(const layout::Control& control) {
    const bool isList = control.kind == ControlKind::ListBox;
    std::vector<std::string> names;
    switch (control.kind) {
        case ControlKind::Label:
            names.push_back("SS_LEFT");
            break;
        case ControlKind::GroupBox:
            names.push_back("BS_GROUPBOX");
            break;
        case ControlKind::PushButton:
            names.push_back("BS_PUSHBUTTON");
            break;
        case ControlKind::DropDownList:
            names.push_back("CBS_DROPDOWNLIST");
            break;
        case ControlKind::ListBox:
            names.push_back("LBS_NOTIFY");
            break;
        case ControlKind::Edit:
            break;
    }
    const unsigned s = control.style;
    if (s & layout::kGroupStart) names.push_back("WS_GROUP");
    if (s & layout::kTabStop) names.push_back("WS_TABSTOP");
    if (s & layout::kSorted) names.push_back(isList ? "LBS_SORT" : "CBS_SORT");
    if (s & layout::kVScroll) names.push_back("WS_VSCROLL");
    if (s & layout::kBorder) names.push_back("WS_BORDER");
    if (s & layout::kDisabled) names.push_back("WS_DISABLED");
    if (s & layout::kNoIntegralHeight) {
        names.push_back(isList ? "LBS_NOINTEGRALHEIGHT" : "CBS_NOINTEGRALHEIGHT");
    }
    if (s & layout::kStatField) {
        names.insert(names.end(), {"ES_MULTILINE", "ES_RIGHT", "ES_NUMBER", "ES_AUTOHSCROLL"});
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> dialogStyleNames() {
    const unsigned f = layout::kFrame;
    std::vector<std::string> names = {"DS_SETFONT", "WS_POPUP"};  // a font; a top-level window
    if (f & layout::kFrameModal) names.push_back("DS_MODALFRAME");
    if (f & layout::kFrameCentred) names.push_back("DS_CENTER");
    if (f & layout::kFrameCaption) names.push_back("WS_CAPTION");
    if (f & layout::kFrameSystemMenu) names.push_back("WS_SYSMENU");
    if (f & layout::kFrameMinimizeBox) names.push_back("WS_MINIMIZEBOX");
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vesk::tools
