// Keys pressed on the real keyboard path (SendInput) in the stat fields of the real
// window: Escape and Enter leave the window open with the edit kept, while the close
// requests the user has still close it.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "dialog_harness.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "sample_image.h"
#include "test_files.h"
#include "win32_story_driver.h"

namespace vesk::test {
namespace {

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses and lets go of `key` (with Alt held when asked) through the system's input
// queue, as the keyboard does, and waits until the window has had it.
void press(const DialogHarness& h, WORD key, bool withAlt = false) {
    std::vector<INPUT> inputs;
    if (withAlt) inputs.push_back(keyInput(VK_MENU, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    if (withAlt) inputs.push_back(keyInput(VK_MENU, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
    h.settle();
}

class EscapeKeyTest : public ::testing::Test {
protected:
    void SetUp() override { test::writeBytes(imagePath, tools::makeSampleImage(5)); }

    std::unique_ptr<Win32Editor> startWithImage() {
        auto editor = std::make_unique<Win32Editor>(dir.path("data.ini"));
        EXPECT_TRUE(editor->harness.started());
        EXPECT_TRUE(editor->user.open(imagePath));
        return editor;
    }
    // The window in front and the caret in the field, as a click would leave it.
    static bool focusField(Win32Editor& editor, int id) {
        const DialogHarness& h = editor.harness;
        for (int i = 0; i < 50 && GetForegroundWindow() != h.window(); ++i) {
            SetForegroundWindow(h.window());
            Sleep(20);
        }
        editor.harness.onDialogThread([id](platform::Dialog& d) { d.setFocus(id); });
        h.settle();
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(h.threadId(), &info);
        return GetForegroundWindow() == h.window() && info.hwndFocus == h.item(id);
    }

    test::TempDir dir;
    std::string imagePath = dir.path("game.gb");
};

TEST_F(EscapeKeyTest, EscapeAndEnterInAStatFieldKeepTheWindowAndTheEdit) {
    auto editor = startWithImage();
    DialogHarness& h = editor->harness;
    for (const int id : layout::kStatFieldIds) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(focusField(*editor, id));
        SendMessageW(h.item(id), EM_SETSEL, 0, -1);
        press(h, '7');
        ASSERT_EQ(windowText(h.item(id)), L"7") << "the digit typed on the keyboard";
        press(h, VK_ESCAPE);
        EXPECT_FALSE(h.waitForEnd(300).has_value()) << "Escape closed the window";
        press(h, VK_RETURN);
        EXPECT_FALSE(h.waitForEnd(300).has_value()) << "Enter closed the window";
        EXPECT_TRUE(IsWindowVisible(h.window()));
        EXPECT_EQ(windowText(h.item(id)), L"7") << "the edit is kept";
        EXPECT_TRUE(h.popups().empty());
    }
    EXPECT_FALSE(test::exists(dir.path("data.ini"))) << "nothing was closed";
}

TEST_F(EscapeKeyTest, TheUsersCloseRequestsStillCloseTheWindow) {
    {
        auto editor = startWithImage();
        ASSERT_TRUE(focusField(*editor, IDC_STAT_ATTACK));
        press(editor->harness, VK_F4, /*withAlt=*/true);
        EXPECT_EQ(editor->harness.waitForEnd(5000), 0) << "Alt+F4";
    }
    {
        auto editor = startWithImage();
        ASSERT_TRUE(focusField(*editor, IDC_STAT_ATTACK));
        PostMessageW(editor->harness.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(editor->harness.waitForEnd(5000), 0) << "title bar and system menu";
    }
    {
        auto editor = startWithImage();
        ASSERT_TRUE(focusField(*editor, IDC_STAT_ATTACK));
        PostMessageW(editor->harness.window(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
        EXPECT_EQ(editor->harness.waitForEnd(5000), 0) << "終了(&X)";
    }
}

}  // namespace
}  // namespace vesk::test
