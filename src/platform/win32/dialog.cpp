#include "platform/win32/dialog.h"

#include <imm.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "layout/main_dialog_layout.h"
#include "platform/win32/file_chooser.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

bool Win32Dialog::isComboBox(int id) {
    // The window was built from the layout table, so the table tells each list's kind.
    static const std::set<int> dropDownLists = [] {
        std::set<int> ids;
        for (const layout::Control& c : layout::kControls) {
            if (c.kind == layout::ControlKind::DropDownList) ids.insert(c.id);
        }
        return ids;
    }();
    return dropDownLists.contains(id);
}

LRESULT Win32Dialog::sendList(int id, UINT comboMessage, UINT listMessage, WPARAM w,
                              LPARAM l) const {
    return SendDlgItemMessageW(window_, id, isComboBox(id) ? comboMessage : listMessage, w, l);
}

void Win32Dialog::appendItem(int id, std::string_view text) {
    const std::wstring wide = toWide(text);
    sendList(id, CB_ADDSTRING, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Dialog::insertItem(int id, int index, std::string_view text) {
    const std::wstring wide = toWide(text);
    sendList(id, CB_INSERTSTRING, LB_INSERTSTRING, static_cast<WPARAM>(index),
             reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Dialog::removeItem(int id, int index) {
    sendList(id, CB_DELETESTRING, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void Win32Dialog::clearItems(int id) { sendList(id, CB_RESETCONTENT, LB_RESETCONTENT, 0, 0); }

void Win32Dialog::selectItem(int id, int index) {
    sendList(id, CB_SETCURSEL, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32Dialog::selectedItem(int id) const {
    const LRESULT selection = sendList(id, CB_GETCURSEL, LB_GETCURSEL, 0, 0);
    return selection < 0 ? -1 : static_cast<int>(selection);
}

void Win32Dialog::setText(int id, std::string_view text) {
    SetWindowTextW(control(id), toWide(text).c_str());
}

std::string Win32Dialog::text(int id, int maxChars) const {
    if (maxChars <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(maxChars) + 1, L'\0');
    int length = GetWindowTextW(control(id), buffer.data(), maxChars + 1);
    // A character outside the basic plane is not cut in half.
    if (length > 0 && IS_HIGH_SURROGATE(buffer[static_cast<std::size_t>(length - 1)])) --length;
    return toUtf8(std::wstring_view(buffer.data(), static_cast<std::size_t>(std::max(length, 0))));
}

void Win32Dialog::selectText(int id, int from, int to) {
    SendDlgItemMessageW(window_, id, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
}

void Win32Dialog::setTextLimit(int id, int maxChars) {
    SendDlgItemMessageW(window_, id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

void Win32Dialog::disableInputMethod(int id) { ImmAssociateContext(control(id), nullptr); }

void Win32Dialog::setEnabled(int id, bool on) { EnableWindow(control(id), on ? TRUE : FALSE); }

void Win32Dialog::setFocus(int id) {
    focusWasSet_ = true;
    SetFocus(control(id));
}

void Win32Dialog::setMenuEntryEnabled(int id, bool on) {
    EnableMenuItem(GetMenu(window_), static_cast<UINT>(id),
                   MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool Win32Dialog::menuEntryChecked(int id) const {
    const UINT state = GetMenuState(GetMenu(window_), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void Win32Dialog::setMenuEntryChecked(int id, bool on) {
    CheckMenuItem(GetMenu(window_), static_cast<UINT>(id),
                  MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Win32Dialog::fixWindowSize() {
    HMENU systemMenu = GetSystemMenu(window_, FALSE);
    RemoveMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    RemoveMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
}

void Win32Dialog::setProperty(std::string_view name, int value) {
    SetPropW(window_, toWide(name).c_str(),
             reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(value)));
}

void Win32Dialog::removeProperty(std::string_view name) {
    RemovePropW(window_, toWide(name).c_str());
}

void Win32Dialog::setLargeIcon(int resourceId) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

bool Win32Dialog::askYesNo(std::string_view text, std::string_view caption) {
    return MessageBoxW(window_, toWide(text).c_str(), toWide(caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void Win32Dialog::showError(std::string_view text, std::string_view caption) {
    MessageBoxW(window_, toWide(text).c_str(), toWide(caption).c_str(), MB_OK | MB_ICONERROR);
}

bool Win32Dialog::chooseFile(FileChooser kind, std::string& path) {
    return win32::chooseFile(window_, kind, path);
}

void Win32Dialog::end(int result) { EndDialog(window_, result); }

}  // namespace vesk::platform::win32
