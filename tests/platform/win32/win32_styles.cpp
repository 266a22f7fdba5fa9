#include "win32_styles.h"

#include <map>
#include <stdexcept>

namespace vesk::test {

DWORD styleValue(const std::vector<std::string>& names) {
    static const std::map<std::string, DWORD> values = {
        {"SS_LEFT", SS_LEFT},
        {"BS_GROUPBOX", BS_GROUPBOX},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON},
        {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
        {"CBS_SORT", CBS_SORT},
        {"CBS_NOINTEGRALHEIGHT", CBS_NOINTEGRALHEIGHT},
        {"LBS_NOTIFY", LBS_NOTIFY},
        {"LBS_SORT", LBS_SORT},
        {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
        {"ES_MULTILINE", ES_MULTILINE},
        {"ES_RIGHT", ES_RIGHT},
        {"ES_NUMBER", ES_NUMBER},
        {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
        {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP},
        {"WS_VSCROLL", WS_VSCROLL},
        {"WS_BORDER", WS_BORDER},
        {"WS_DISABLED", WS_DISABLED},
        {"DS_CENTER", DS_CENTER},
        {"DS_MODALFRAME", DS_MODALFRAME},
        {"DS_SETFONT", DS_SETFONT},
        {"WS_CAPTION", WS_CAPTION},
        {"WS_MINIMIZEBOX", WS_MINIMIZEBOX},
        {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX},
        {"WS_THICKFRAME", WS_THICKFRAME},
        {"WS_POPUP", WS_POPUP},
        {"WS_SYSMENU", WS_SYSMENU},
        {"WS_VISIBLE", WS_VISIBLE},
        {"WS_CHILD", WS_CHILD},
    };
    DWORD value = 0;
    for (const auto& name : names) {
        const auto it = values.find(name);
        if (it == values.end()) throw std::invalid_argument("unknown style " + name);
        value |= it->second;
    }
    return value;
}

}  // namespace vesk::test
