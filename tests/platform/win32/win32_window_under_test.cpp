// The dialog contract on the real dialog window under Wine, read through the controls'
// own requests (windowsx.h) and driven by the messages input and the system send.
#include <windows.h>

#include <windowsx.h>

#include <algorithm>
#include <cstdint>

#include "dialog_harness.h"
#include "platform/dialog_contract.h"
#include "platform/win32/wide_text.h"
#include "win32_story_driver.h"

namespace vesk::test {
namespace {

using platform::win32::toUtf8;

class Win32Window final : public WindowUnderTest {
public:
    explicit Win32Window(const std::string& settingsPath) : editor_(settingsPath) {
        if (!editor_.harness.started()) ADD_FAILURE() << "the main window did not start";
    }

    std::vector<std::string> items(int id) const override {
        HWND list = item(id);
        std::vector<std::string> texts;
        wchar_t text[128] = {};
        if (isDropDownList(list)) {
            for (int i = 0; i < ComboBox_GetCount(list); ++i) {
                ComboBox_GetLBText(list, i, text);
                texts.push_back(toUtf8(text));
            }
        } else {
            for (int i = 0; i < ListBox_GetCount(list); ++i) {
                ListBox_GetText(list, i, text);
                texts.push_back(toUtf8(text));
            }
        }
        return texts;
    }
    int selectedItem(int id) const override {
        HWND list = item(id);
        return isDropDownList(list) ? ComboBox_GetCurSel(list) : ListBox_GetCurSel(list);
    }
    std::string text(int id) const override { return toUtf8(windowText(item(id))); }
    bool enabled(int id) const override { return IsWindowEnabled(item(id)) != FALSE; }
    bool menuEntryEnabled(int id) const override { return editor_.user.menuEnabled(id); }
    bool menuEntryChecked(int id) const override {
        const UINT state = GetMenuState(GetMenu(window()), static_cast<UINT>(id), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
    }
    int focusedControl() const override {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(editor_.harness.threadId(), &info);
        return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
    }
    std::optional<int> marker() const override {
        HANDLE value = GetPropW(window(), L"VeskEdit");
        if (value == nullptr) return std::nullopt;
        return static_cast<int>(reinterpret_cast<std::intptr_t>(value));
    }
    bool hasIcon() const override { return SendMessageW(window(), WM_GETICON, ICON_BIG, 0) != 0; }
    bool sizeFixed() const override {
        HMENU systemMenu = GetSystemMenu(window(), FALSE);
        const auto absent = [systemMenu](UINT command) {
            return GetMenuState(systemMenu, command, MF_BYCOMMAND) == static_cast<UINT>(-1);
        };
        return absent(SC_MAXIMIZE) && absent(SC_SIZE);
    }

    bool chooseMenuEntry(int id) override {
        if (!editor_.user.menuEnabled(id)) return false;
        SendMessageW(window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return true;
    }
    void requestClose() override { SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0); }
    std::optional<int> endResult() override { return editor_.harness.waitForEnd(); }
    bool markedWhenDestroyed() override {
        if (!editor_.harness.waitForEnd()) return true;
        const auto& left = editor_.harness.propertiesAtDestroy();
        return std::count(left.begin(), left.end(), L"VeskEdit") != 0;
    }

private:
    HWND window() const { return editor_.harness.window(); }
    HWND item(int id) const { return editor_.harness.item(id); }
    static bool isDropDownList(HWND list) {
        return CompareStringOrdinal(className(list).c_str(), -1, L"ComboBox", -1, TRUE) ==
               CSTR_EQUAL;
    }

    Win32Editor editor_;
};

std::unique_ptr<WindowUnderTest> startWin32Window(const std::string& settingsPath) {
    return std::make_unique<Win32Window>(settingsPath);
}

INSTANTIATE_TEST_SUITE_P(Win32, DialogContract, ::testing::Values(&startWin32Window),
                         DialogContract::name);

}  // namespace
}  // namespace vesk::test
