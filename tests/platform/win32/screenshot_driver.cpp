// vesk-drive IMAGE ENEMY: waits for a running vesk-edit.exe, opens IMAGE through its open
// chooser, shows enemy ENEMY and selects its first ability, the way a user would; then
// prints the window's screen rectangle as WIDTHxHEIGHT+X+Y for cropping a screenshot.
#include <windows.h>

#include <windowsx.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "layout/file_choosers.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/win32/wide_text.h"

namespace {

using vesk::platform::win32::toWide;

struct Search {
    DWORD process;
    std::wstring caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (!IsWindowVisible(w) || (s->process != 0 && owner != s->process)) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    const bool match =
        s->caption.empty() ? GetPropW(w, L"VeskEdit") != nullptr : s->caption == text;
    if (match) s->found = w;
    return !match;
}

HWND waitForWindow(DWORD process, const std::wstring& caption) {
    for (int i = 0; i < 1000; ++i, Sleep(20)) {
        Search search{process, caption, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
    }
    return nullptr;
}

void key(HWND target, WPARAM code) {
    SendMessageW(target, WM_KEYDOWN, code, 1);
    SendMessageW(target, WM_KEYUP, code, 0xC0000001);
}

bool fail(const char* what) {
    std::fprintf(stderr, "vesk-drive: %s\n", what);
    return false;
}

bool drive(const std::wstring& image, int enemy) {
    HWND window = waitForWindow(0, L"");
    if (!window) return fail("no editor window");
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_OPEN, 0), 0);
    HWND chooser = waitForWindow(process, toWide(vesk::layout::kOpenChooserTitle));
    if (!chooser) return fail("no open chooser");
    HWND name = nullptr;
    for (HWND c = FindWindowExW(chooser, nullptr, L"ComboBoxEx32", nullptr); c && !name;
         c = FindWindowExW(chooser, c, L"ComboBoxEx32", nullptr)) {
        HWND combo = FindWindowExW(c, nullptr, L"ComboBox", nullptr);
        name = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
    }
    if (!name) return fail("no file name field");
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(image.c_str()));
    PostMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    HWND enemies = GetDlgItem(window, IDC_ENEMY_LIST);
    for (int i = 0; i < 500 && !IsWindowEnabled(enemies); ++i) Sleep(20);
    if (!IsWindowEnabled(enemies)) return fail("the image did not open");
    ComboBox_ShowDropdown(enemies, TRUE);
    key(enemies, VK_HOME);
    for (int i = 0; i < enemy; ++i) key(enemies, VK_DOWN);
    key(enemies, VK_RETURN);
    HWND abilities = GetDlgItem(window, IDC_ABILITY_LIST);
    SetFocus(nullptr);
    key(abilities, VK_HOME);
    PostMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(abilities), TRUE);
    Sleep(500);

    RECT frame{};
    GetWindowRect(window, &frame);
    std::printf("%ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top, frame.left,
                frame.top);
    return true;
}

}  // namespace

int main() {
    // The image path in full, whatever the code page.
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 3) {
        std::fprintf(stderr, "usage: vesk-drive IMAGE ENEMY\n");
        return 2;
    }
    return drive(argv[1], _wtoi(argv[2])) ? 0 : 1;
}
