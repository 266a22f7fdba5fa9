// The main window's template as data: window frame, controls in tab order and menu. The
// one description of the window: the Qt window is built from it at run time, and the
// Windows resource script's dialog and menu are generated from it at build time
// (tools/layout_rc).
#pragma once

#include <array>
#include <string_view>

#include "layout/resource_ids.h"

namespace vesk::layout {

constexpr std::string_view kDialogTemplateName = "MAINDLG";
constexpr std::string_view kMenuTemplateName = "IDR_MENU";
constexpr std::string_view kCaption = "GB版Vesk1 敵キャラステータスエディタ";
constexpr std::string_view kFontName = "ＭＳ Ｐゴシック";
constexpr int kFontPoints = 9;
constexpr int kFontWeight = 400;
constexpr int kFontCharset = 0x80;          // Shift-JIS
constexpr int kWidth = 186, kHeight = 122;  // dialog units

// The frame: a centred modal window with caption, system menu and minimise box, never
// resizable or maximisable.
enum FrameStyle : unsigned {
    kFrameModal = 1u << 0,
    kFrameCentred = 1u << 1,
    kFrameCaption = 1u << 2,
    kFrameSystemMenu = 1u << 3,
    kFrameMinimizeBox = 1u << 4,
};
constexpr unsigned kFrame =
    kFrameModal | kFrameCentred | kFrameCaption | kFrameSystemMenu | kFrameMinimizeBox;

enum class ControlKind { Label, GroupBox, DropDownList, ListBox, Edit, PushButton };

// Style bits beyond what the kind implies.
enum Style : unsigned {
    kNone = 0,
    kGroupStart = 1u << 0,  // WS_GROUP
    kTabStop = 1u << 1,     // WS_TABSTOP
    kSorted = 1u << 2,      // CBS_SORT / LBS_SORT
    kVScroll = 1u << 3,     // WS_VSCROLL
    kBorder = 1u << 4,      // WS_BORDER
    kDisabled = 1u << 5,    // WS_DISABLED
    kNoIntegralHeight = 1u << 6,
    kStatField = 1u << 7,  // multi-line, right-aligned, digits only, auto horizontal scroll
};

struct Control {
    int id;  // -1 for labels and group boxes
    ControlKind kind;
    std::string_view text;
    int x, y, width, height;  // dialog units; drop-down heights include the dropped list
    unsigned style;
};

constexpr int kNoId = -1;

constexpr std::array<Control, 17> kControls = {{
    {kNoId, ControlKind::Label, "キャラ選択 :", 8, 6, 41, 9, kGroupStart},
    {IDC_ENEMY_LIST, ControlKind::DropDownList, "", 4, 16, 83, 139,
     kTabStop | kSorted | kVScroll | kDisabled},
    {kNoId, ControlKind::GroupBox, "ステータス", 4, 40, 83, 78, kNone},
    {kNoId, ControlKind::Label, "HP :", 10, 53, 17, 10, kGroupStart},
    {IDC_HP_LIST, ControlKind::DropDownList, "", 36, 50, 47, 101, kTabStop | kVScroll},
    {kNoId, ControlKind::Label, "ケロ :", 10, 68, 18, 10, kGroupStart},
    {IDC_KERO_LIST, ControlKind::DropDownList, "", 36, 65, 47, 103, kTabStop | kVScroll},
    {kNoId, ControlKind::Label, "攻/防 :", 10, 85, 23, 10, kGroupStart},
    {IDC_STAT_ATTACK, ControlKind::Edit, "", 36, 82, 22, 14, kTabStop | kBorder | kStatField},
    {IDC_STAT_DEFENSE, ControlKind::Edit, "", 60, 82, 22, 14, kTabStop | kBorder | kStatField},
    {kNoId, ControlKind::Label, "早/魔 :", 10, 101, 23, 10, kGroupStart},
    {IDC_STAT_SPEED, ControlKind::Edit, "", 36, 98, 22, 14, kTabStop | kBorder | kStatField},
    {IDC_STAT_MAGIC, ControlKind::Edit, "", 60, 98, 22, 14, kTabStop | kBorder | kStatField},
    {IDC_ABILITY_LIST, ControlKind::ListBox, "", 95, 16, 82, 68,
     kTabStop | kBorder | kVScroll | kNoIntegralHeight},
    {IDC_ABILITY_CHOICE, ControlKind::DropDownList, "", 95, 86, 83, 139,
     kTabStop | kSorted | kVScroll},
    {kNoId, ControlKind::GroupBox, "能力", 90, 6, 92, 112, kNone},
    {IDC_REPLACE, ControlKind::PushButton, "変 更", 95, 100, 26, 14, kTabStop | kDisabled},
}};

constexpr int kStatFieldIds[] = {IDC_STAT_ATTACK, IDC_STAT_DEFENSE, IDC_STAT_SPEED, IDC_STAT_MAGIC};
constexpr int kStatFieldLength = 3;

struct MenuEntry {
    int id;                 // 0 for a separator
    std::string_view text;  // "" for a separator
    bool grayed;
    bool checked;
};

struct Menu {
    std::string_view title;
    std::array<MenuEntry, 5> entries;
    int entryCount;
};

constexpr std::array<Menu, 2> kMenus = {{
    {"ファイル(&O)",
     {{{IDM_OPEN, "ファイルを開く(&F)", false, false},
       {IDM_SAVE, "上書き保存(&S)", true, false},
       {IDM_SAVE_AS, "名前を付けて保存(&A)", true, false},
       {0, "", false, false},
       {IDM_EXIT, "終了(&X)", false, false}}},
     5},
    {"設定", {{{IDM_AUTO_BACKUP, "自動バックアップ", false, true}}}, 1},
}};

}  // namespace vesk::layout
