// The real window built by runMainDialog from "MAINDLG": its controls as the dialog
// manager created them, the events real input raises, and platform::Dialog's
// operations on the Win32 controls.
#include <windows.h>

#include <imm.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "dialog_harness.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/dialog.h"
#include "platform/win32/wide_text.h"
#include "recording_events.h"
#include "style_names.h"
#include "win32_styles.h"

namespace vesk::test {
namespace {

using platform::ControlEvent;
using platform::win32::toUtf8;
using platform::win32::toWide;
using tools::styleNamesOf;
using tools::windowClassOf;

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(harness.started()); }

    std::wstring itemText(int id) const { return windowText(harness.item(id)); }
    LRESULT send(int id, UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return SendMessageW(harness.item(id), message, w, l);
    }
    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(harness.threadId(), &info);
        return info.hwndFocus;
    }
    // The key as the keyboard delivers it: posted to the focused control, through the
    // dialog manager's loop.
    void pressKey(HWND target, WPARAM key) const {
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        sync();
    }
    void sync() const { harness.settle(); }

    RecordingEvents events;
    DialogHarness harness{events};
};

TEST_F(DialogWindowTest, FrameHasCaptionSystemMenuAndMinimiseButNeitherMaximiseNorSizing) {
    HWND w = harness.window();
    EXPECT_EQ(toUtf8(windowText(w)), layout::kCaption);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetParent(w), nullptr) << "a window without an owner";

    RECT client{}, units{0, 0, layout::kWidth, layout::kHeight};
    GetClientRect(w, &client);
    MapDialogRect(w, &units);
    EXPECT_EQ(client.right, units.right) << "the client area is the template's size";
    EXPECT_EQ(client.bottom, units.bottom) << "the client area is the template's size";

    RECT frame{}, work{};
    GetWindowRect(w, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 2) << "centred";
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 2) << "centred";
}

TEST_F(DialogWindowTest, UsesTheLayoutsFont) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(harness.window(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    EXPECT_EQ(toUtf8(face.lfFaceName), layout::kFontName);
}

TEST_F(DialogWindowTest, ChildWindowsAreTheLayoutsControlsInTabOrder) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(harness.window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        children.push_back(c);
    }
    ASSERT_EQ(children.size(), layout::kControls.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        const layout::Control& c = layout::kControls[i];
        HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " " + std::string(c.text));
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), c.id);
        std::wstring cls = className(child);
        EXPECT_EQ(
            CompareStringOrdinal(cls.c_str(), -1, toWide(windowClassOf(c.kind)).c_str(), -1, TRUE),
            CSTR_EQUAL)
            << toUtf8(cls);
        EXPECT_EQ(toUtf8(windowText(child)), c.kind == layout::ControlKind::Edit ? "" : c.text);
        // The controls draw their border and scroll bar themselves and take those bits
        // out of their style; every other bit of the template holds.
        const DWORD expected = (WS_CHILD | WS_VISIBLE | styleValue(styleNamesOf(c))) &
                               ~static_cast<DWORD>(WS_BORDER | WS_VSCROLL);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        EXPECT_EQ(style & expected, expected) << std::hex << style << " " << expected;

        // The dialog manager converts position and size each on their own.
        RECT units{c.x, c.y, c.width, c.height};
        MapDialogRect(harness.window(), &units);
        RECT actual{};
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, harness.window(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, units.left);
        EXPECT_EQ(actual.top, units.top);
        EXPECT_EQ(actual.right - actual.left, units.right);
        // A closed drop-down list is as high as its edit part; the template height
        // includes the dropped list.
        if (c.kind != layout::ControlKind::DropDownList) {
            EXPECT_EQ(actual.bottom - actual.top, units.bottom);
        }
    }
    EXPECT_FALSE(IsWindowEnabled(harness.item(IDC_ENEMY_LIST)));
    EXPECT_FALSE(IsWindowEnabled(harness.item(IDC_REPLACE)));
}

TEST_F(DialogWindowTest, MenuStartsWithSavesGrayedAndBackupChecked) {
    HMENU menu = GetMenu(harness.window());
    ASSERT_NE(menu, nullptr);
    const auto state = [menu](int id) {
        return GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    };
    EXPECT_EQ(state(IDM_OPEN) & (MF_GRAYED | MF_CHECKED), 0u);
    EXPECT_NE(state(IDM_SAVE) & MF_GRAYED, 0u);
    EXPECT_NE(state(IDM_SAVE_AS) & MF_GRAYED, 0u);
    EXPECT_EQ(state(IDM_EXIT) & MF_GRAYED, 0u);
    EXPECT_NE(state(IDM_AUTO_BACKUP) & MF_CHECKED, 0u);
}

TEST_F(DialogWindowTest, TypingIntoAStatFieldReportsEditsForDigitsOnly) {
    HWND field = harness.item(IDC_STAT_ATTACK);
    events.take();
    typeChars(field, L"1");
    EXPECT_EQ(events.take(IDC_STAT_ATTACK),
              (std::vector<RecordingEvents::Command>{{IDC_STAT_ATTACK, ControlEvent::TextEdited}}));
    typeChars(field, L"x-");
    EXPECT_EQ(events.take(IDC_STAT_ATTACK), std::vector<RecordingEvents::Command>{})
        << "not digits";
    EXPECT_EQ(itemText(IDC_STAT_ATTACK), L"1");
    typeChars(field, L"\b");
    EXPECT_EQ(itemText(IDC_STAT_ATTACK), L"");
    const auto afterBackspace = events.take(IDC_STAT_ATTACK);
    ASSERT_FALSE(afterBackspace.empty());
    EXPECT_EQ(afterBackspace.back(),
              (RecordingEvents::Command{IDC_STAT_ATTACK, ControlEvent::TextEdited}));
}

TEST_F(DialogWindowTest, TextSetByTheProgramReportsNoEdit) {
    events.take();
    harness.onDialogThread([](platform::Dialog& d) {
        for (const int id : layout::kStatFieldIds) d.setText(id, "123");
    });
    for (const auto& c : events.take()) {
        EXPECT_NE(c.event, ControlEvent::TextEdited) << c.id;
    }
    EXPECT_EQ(itemText(IDC_STAT_MAGIC), L"123");
}

TEST_F(DialogWindowTest, ChoosingFromADroppedListEndsWithAConfirmedSelection) {
    harness.onDialogThread([](platform::Dialog& d) {
        d.setEnabled(IDC_ENEMY_LIST, true);
        for (const char* label : {"000 : a", "001 : b", "002 : c"})
            d.appendItem(IDC_ENEMY_LIST, label);
        d.selectItem(IDC_ENEMY_LIST, 0);
    });
    events.take();
    HWND list = harness.item(IDC_ENEMY_LIST);
    ComboBox_ShowDropdown(list, TRUE);
    send(IDC_ENEMY_LIST, WM_KEYDOWN, VK_DOWN);
    send(IDC_ENEMY_LIST, WM_KEYDOWN, VK_DOWN);
    send(IDC_ENEMY_LIST, WM_KEYDOWN, VK_RETURN);
    sync();
    EXPECT_EQ(ComboBox_GetCurSel(list), 2);
    const auto commands = events.take();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(
        std::count(commands.begin(), commands.end(),
                   RecordingEvents::Command{IDC_ENEMY_LIST, ControlEvent::SelectionConfirmed}),
        1);
    EXPECT_EQ(commands.back().id, IDC_ENEMY_LIST);
}

TEST_F(DialogWindowTest, OkCancelAndTheirKeysAreCommandsThatLeaveTheWindowOpen) {
    events.take();
    pressKey(focus(), VK_ESCAPE);
    pressKey(focus(), VK_RETURN);
    const auto commands = events.take();
    const auto count = [&commands](int id) {
        return std::count(commands.begin(), commands.end(),
                          RecordingEvents::Command{id, ControlEvent::Pressed});
    };
    EXPECT_EQ(count(IDOK), 1);
    EXPECT_EQ(count(IDCANCEL), 1);
    EXPECT_FALSE(harness.waitForEnd(200).has_value());
    EXPECT_TRUE(IsWindowVisible(harness.window()));
    EXPECT_EQ(events.closes, 0);
}

TEST_F(DialogWindowTest, TitleBarSystemMenuAndAltF4AreCloseRequests) {
    SendMessageW(harness.window(), WM_CLOSE, 0, 0);
    SendMessageW(harness.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(events.closes, 2);
    EXPECT_FALSE(harness.waitForEnd(200).has_value()) << "the events decide whether it ends";
}

TEST_F(DialogWindowTest, EndReturnsItsResultAndDestroysTheWindow) {
    HWND w = harness.window();
    harness.onDialogThread([](platform::Dialog& d) { d.end(7); });
    EXPECT_EQ(harness.waitForEnd(), 7);
    EXPECT_EQ(events.destroys, 1);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(DialogWindowTest, ListOperationsOnDropDownsAndTheListBox) {
    for (const int id : {IDC_HP_LIST, IDC_ABILITY_LIST}) {
        SCOPED_TRACE(id);
        const bool combo = id != IDC_ABILITY_LIST;
        HWND list = harness.item(id);
        const auto count = [list, combo] {
            return combo ? ComboBox_GetCount(list) : ListBox_GetCount(list);
        };
        int selection = 0;
        harness.onDialogThread([&](platform::Dialog& d) {
            d.clearItems(id);
            d.appendItem(id, "ＨＰ 0");
            d.appendItem(id, "2");
            d.insertItem(id, 1, "表 1");
            d.selectItem(id, 2);
            selection = d.selectedItem(id);
        });
        EXPECT_EQ(selection, 2);
        EXPECT_EQ(count(), 3);
        wchar_t text[32] = {};
        if (combo) {
            ComboBox_GetLBText(list, 1, text);
        } else {
            ListBox_GetText(list, 1, text);
        }
        EXPECT_EQ(toUtf8(text), "表 1");
        harness.onDialogThread([&](platform::Dialog& d) {
            d.removeItem(id, 0);
            d.selectItem(id, -1);
            selection = d.selectedItem(id);
        });
        EXPECT_EQ(selection, -1);
        EXPECT_EQ(count(), 2);
        harness.onDialogThread([&](platform::Dialog& d) { d.clearItems(id); });
        EXPECT_EQ(count(), 0);
    }
}

TEST_F(DialogWindowTest, EditOperations) {
    std::string text;
    harness.onDialogThread([&](platform::Dialog& d) {
        d.setTextLimit(IDC_STAT_SPEED, 3);
        d.setText(IDC_STAT_SPEED, "98765");
        text = d.text(IDC_STAT_SPEED, 3);
        d.selectText(IDC_STAT_SPEED, 1, -1);
        d.disableInputMethod(IDC_STAT_SPEED);
    });
    EXPECT_EQ(text, "987") << "at most the asked number of characters";
    EXPECT_EQ(itemText(IDC_STAT_SPEED), L"98765") << "the limit binds the user, not the program";
    EXPECT_EQ(send(IDC_STAT_SPEED, EM_GETLIMITTEXT), 3);
    DWORD from = 0, to = 0;
    send(IDC_STAT_SPEED, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 5u);
    bool noContext = false;
    harness.onDialogThread([&](platform::Dialog&) {
        HIMC context = ImmGetContext(harness.item(IDC_STAT_SPEED));
        noContext = context == nullptr;
        if (context) ImmReleaseContext(harness.item(IDC_STAT_SPEED), context);
    });
    EXPECT_TRUE(noContext) << "the input method is off for the field";

    typeChars(harness.item(IDC_STAT_SPEED), L"4");
    EXPECT_EQ(itemText(IDC_STAT_SPEED), L"94") << "typing replaced the selection";
}

TEST_F(DialogWindowTest, EnableFocusMenuPropertyAndIcon) {
    harness.onDialogThread([](platform::Dialog& d) {
        d.setEnabled(IDC_REPLACE, true);
        d.setFocus(IDC_REPLACE);
        d.setMenuEntryEnabled(IDM_SAVE, true);
        d.setMenuEntryChecked(IDM_AUTO_BACKUP, false);
        d.fixWindowSize();
        d.setProperty("VeskEditTest", 1);
        d.setLargeIcon(IDI_MAIN);
    });
    EXPECT_TRUE(IsWindowEnabled(harness.item(IDC_REPLACE)));
    EXPECT_EQ(focus(), harness.item(IDC_REPLACE));
    HMENU menu = GetMenu(harness.window());
    EXPECT_EQ(GetMenuState(menu, IDM_SAVE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(menu, IDM_AUTO_BACKUP, MF_BYCOMMAND) & MF_CHECKED, 0u);
    bool checked = true;
    harness.onDialogThread(
        [&](platform::Dialog& d) { checked = d.menuEntryChecked(IDM_AUTO_BACKUP); });
    EXPECT_FALSE(checked);
    HMENU systemMenu = GetSystemMenu(harness.window(), FALSE);
    EXPECT_EQ(GetMenuState(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(systemMenu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(systemMenu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(systemMenu, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetPropW(harness.window(), L"VeskEditTest"), reinterpret_cast<HANDLE>(1));
    EXPECT_NE(SendMessageW(harness.window(), WM_GETICON, ICON_BIG, 0), 0);
    harness.onDialogThread([](platform::Dialog& d) { d.removeProperty("VeskEditTest"); });
    EXPECT_EQ(GetPropW(harness.window(), L"VeskEditTest"), nullptr);
}

}  // namespace
}  // namespace vesk::test
