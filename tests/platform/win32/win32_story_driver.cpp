#include "win32_story_driver.h"

#include <windowsx.h>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "layout/file_choosers.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/win32/wide_text.h"

namespace vesk::test {
namespace {

// The file name field of the common file dialog.
constexpr int kChooserFileName = 1148;

void key(HWND target, WPARAM code) {
    SendMessageW(target, WM_KEYDOWN, code, 1);
    SendMessageW(target, WM_KEYUP, code, 0xC0000001);
}

// Moves the selection of a list with Home or End and the arrow keys.
void moveTo(HWND list, int index, int count) {
    if (index <= count / 2) {
        key(list, VK_HOME);
        for (int i = 0; i < index; ++i) key(list, VK_DOWN);
    } else {
        key(list, VK_END);
        for (int i = count - 1; i > index; --i) key(list, VK_UP);
    }
}

}  // namespace

bool Win32StoryDriver::menuEnabled(int id) const {
    const UINT state = GetMenuState(GetMenu(h_.window()), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool Win32StoryDriver::useChooser(int command, const std::wstring& title, const std::string& path) {
    if (!menuEnabled(command)) return false;
    PostMessageW(h_.window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND chooser = h_.waitForPopup(title);
    if (chooser == nullptr) return false;
    if (path.empty()) {
        clickButton(chooser, IDCANCEL);
    } else {
        HWND name = findDescendant(chooser, kChooserFileName, L"Edit");
        if (name == nullptr) return false;
        SetWindowTextW(name, platform::win32::toWide(path).c_str());
        PostMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    }
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (IsWindow(chooser) && IsWindowVisible(chooser)) {
        if (GetTickCount64() >= deadline) {
            ADD_FAILURE() << "the chooser \"" << platform::win32::toUtf8(title)
                          << "\" was still open 10 s after its answer";
            return false;
        }
        Sleep(20);
    }
    h_.settle();
    return true;
}

bool Win32StoryDriver::open(const std::string& path) {
    return useChooser(IDM_OPEN, platform::win32::toWide(layout::kOpenChooserTitle), path) &&
           h_.popups().empty();
}

bool Win32StoryDriver::chooseInDropDown(int id, int index) {
    HWND list = h_.item(id);
    const int count = ComboBox_GetCount(list);
    if (!IsWindowEnabled(list) || index < 0 || index >= count) return false;
    ComboBox_ShowDropdown(list, TRUE);
    moveTo(list, index, count);
    key(list, VK_RETURN);
    h_.settle();
    return ComboBox_GetCurSel(list) == index;
}

bool Win32StoryDriver::chooseEnemy(int m) { return chooseInDropDown(IDC_ENEMY_LIST, m); }

bool Win32StoryDriver::chooseHp(int position) { return chooseInDropDown(IDC_HP_LIST, position); }

bool Win32StoryDriver::chooseKero(int position) {
    return chooseInDropDown(IDC_KERO_LIST, position);
}

void Win32StoryDriver::typeStat(int k, const std::string& keys) {
    HWND field = h_.item(layout::kStatFieldIds[k]);
    SendMessageW(field, EM_SETSEL, 0, -1);
    typeChars(field, platform::win32::toWide(keys));
    h_.settle();
}

bool Win32StoryDriver::replaceAbility(int row, int id) {
    HWND abilities = h_.item(IDC_ABILITY_LIST);
    const int rows = ListBox_GetCount(abilities);
    if (row < 0 || row >= rows) return false;
    moveTo(abilities, row, rows);
    if (ListBox_GetCurSel(abilities) != row) return false;
    if (!chooseInDropDown(IDC_ABILITY_CHOICE, id)) return false;
    HWND button = h_.item(IDC_REPLACE);
    if (!IsWindowEnabled(button)) return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    h_.settle();
    return true;
}

bool Win32StoryDriver::saveAnswering(int button) {
    if (!menuEnabled(IDM_SAVE)) return false;
    PostMessageW(h_.window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
    HWND box = h_.waitForPopup(platform::win32::toWide(messages::kConfirmOverwriteCaption));
    if (box == nullptr) return false;
    clickButton(box, button);
    return h_.waitForNoPopup();
}

bool Win32StoryDriver::saveAs(const std::string& path) {
    return useChooser(IDM_SAVE_AS, platform::win32::toWide(layout::kSaveChooserTitle), path) &&
           h_.popups().empty();
}

bool Win32StoryDriver::toggleBackup() {
    if (!menuEnabled(IDM_AUTO_BACKUP)) return false;
    SendMessageW(h_.window(), WM_COMMAND, MAKEWPARAM(IDM_AUTO_BACKUP, 0), 0);
    return true;
}

void Win32StoryDriver::close() {
    PostMessageW(h_.window(), WM_CLOSE, 0, 0);
    h_.waitForEnd();
}

}  // namespace vesk::test
