// The editor's one window on the real dialog: the event table and whole user stories
// with the real choosers and message boxes, held against the in-memory window that the
// portable tests use. Its first state and how it closes are the dialog contract's
// (tests/platform/dialog_contract_test.cpp).
#include <windows.h>

#include <windowsx.h>

#include <gtest/gtest.h>

#include "app/editor_session.h"
#include "app/messages.h"
#include "data/name_tables.h"
#include "data/value_tables.h"
#include "dialog_harness.h"
#include "editor_rig.h"
#include "io/image_file.h"
#include "io/profile.h"
#include "io/settings_file.h"
#include "layout/file_choosers.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/error.h"
#include "platform/win32/wide_text.h"
#include "rig_story_driver.h"
#include "sample_image.h"
#include "test_files.h"
#include "user_story.h"
#include "win32_story_driver.h"

namespace vesk::test {
namespace {

using platform::win32::toUtf8;
using platform::win32::toWide;

std::string itemText(HWND list, bool combo, int index) {
    wchar_t text[128] = {};
    if (combo) {
        ComboBox_GetLBText(list, index, text);
    } else {
        ListBox_GetText(list, index, text);
    }
    return toUtf8(text);
}

int itemCount(HWND list, bool combo) {
    return combo ? ComboBox_GetCount(list) : ListBox_GetCount(list);
}

// What the window shows of the editor's state.
struct Shown {
    std::vector<std::string> stats;
    int enemy, hp, kero, choice, abilityRow;
    std::vector<std::string> abilities;
    bool operator==(const Shown&) const = default;
};

Shown shownBy(const DialogHarness& h) {
    Shown s;
    for (const int id : layout::kStatFieldIds) s.stats.push_back(toUtf8(windowText(h.item(id))));
    s.enemy = ComboBox_GetCurSel(h.item(IDC_ENEMY_LIST));
    s.hp = ComboBox_GetCurSel(h.item(IDC_HP_LIST));
    s.kero = ComboBox_GetCurSel(h.item(IDC_KERO_LIST));
    s.choice = ComboBox_GetCurSel(h.item(IDC_ABILITY_CHOICE));
    s.abilityRow = ListBox_GetCurSel(h.item(IDC_ABILITY_LIST));
    for (int i = 0; i < itemCount(h.item(IDC_ABILITY_LIST), false); ++i) {
        s.abilities.push_back(itemText(h.item(IDC_ABILITY_LIST), false, i));
    }
    return s;
}

Shown shownBy(const EditorRig& rig) {
    Shown s;
    for (const int id : layout::kStatFieldIds) s.stats.push_back(rig.dialog.fullText(id));
    s.enemy = rig.dialog.selectedItem(IDC_ENEMY_LIST);
    s.hp = rig.dialog.selectedItem(IDC_HP_LIST);
    s.kero = rig.dialog.selectedItem(IDC_KERO_LIST);
    s.choice = rig.dialog.selectedItem(IDC_ABILITY_CHOICE);
    s.abilityRow = rig.dialog.selectedItem(IDC_ABILITY_LIST);
    s.abilities = rig.dialog.items(IDC_ABILITY_LIST);
    return s;
}

HWND focusOf(const DialogHarness& h) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(h.threadId(), &info);
    return info.hwndFocus;
}

class Win32MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { writeBytes(imagePath, original); }

    std::unique_ptr<Win32Editor> start() {
        auto editor = std::make_unique<Win32Editor>(iniPath);
        EXPECT_TRUE(editor->harness.started());
        return editor;
    }

    TempDir dir;
    std::string iniPath = dir.path("data.ini");
    std::string imagePath = dir.path("ゲーム.gb");
    Bytes original = tools::makeSampleImage(31);
};

TEST_F(Win32MainWindowTest, OkAndCancelChangeNothingAndCloseOnlyThroughTheEditor) {
    auto editor = start();
    ASSERT_TRUE(editor->user.open(imagePath));
    editor->user.typeStat(0, "12");
    const Shown before = shownBy(editor->harness);
    // Enter and Escape, which the dialog manager turns into its OK and Cancel commands.
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageW(focusOf(editor->harness), WM_KEYDOWN, key, 1);
    }
    editor->harness.settle();
    EXPECT_FALSE(editor->harness.waitForEnd(200).has_value());
    EXPECT_EQ(shownBy(editor->harness), before);
    EXPECT_EQ(readBytes(imagePath), original);
}

TEST_F(Win32MainWindowTest, OpeningEnablesEditingAndFocusesTheEnemyList) {
    auto editor = start();
    ASSERT_TRUE(editor->user.open(imagePath));
    const DialogHarness& h = editor->harness;
    EXPECT_TRUE(IsWindowEnabled(h.item(IDC_ENEMY_LIST)));
    EXPECT_TRUE(IsWindowEnabled(h.item(IDC_REPLACE)));
    EXPECT_TRUE(editor->user.menuEnabled(IDM_SAVE));
    EXPECT_TRUE(editor->user.menuEnabled(IDM_SAVE_AS));
    EXPECT_EQ(focusOf(h), h.item(IDC_ENEMY_LIST));

    EditorRig rig(dir.path("rig.ini"));
    rig.start();
    ASSERT_TRUE(rig.open(imagePath));
    EXPECT_EQ(shownBy(h), shownBy(rig)) << "enemy 0 shown as the in-memory window shows it";
}

TEST_F(Win32MainWindowTest, TypedStatsAreNormalisedAsInTheInMemoryWindow) {
    auto editor = start();
    EditorRig rig(dir.path("rig.ini"));
    rig.start();
    ASSERT_TRUE(editor->user.open(imagePath));
    ASSERT_TRUE(rig.open(imagePath));
    for (const char* keys : {"300", "0042", "7", "256", "", "1x2"}) {
        SCOPED_TRACE(keys);
        editor->user.typeStat(1, keys);
        rig.typeStat(1, keys);
        EXPECT_EQ(shownBy(editor->harness), shownBy(rig));
        DWORD from = 0, to = 0;
        SendMessageW(editor->harness.item(IDC_STAT_DEFENSE), EM_GETSEL,
                     reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ((std::pair<int, int>(static_cast<int>(from), static_cast<int>(to))),
                  rig.dialog.textSelection(IDC_STAT_DEFENSE));
    }
}

TEST_F(Win32MainWindowTest, TheOpenChooserHasItsTitleFilterAndNoReadOnlyBox) {
    auto editor = start();
    PostMessageW(editor->harness.window(), WM_COMMAND, MAKEWPARAM(IDM_OPEN, 0), 0);
    HWND chooser = editor->harness.waitForPopup(toWide(layout::kOpenChooserTitle));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), editor->harness.window());
    HWND types = findDescendant(chooser, 1136, L"ComboBox");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(itemCount(types, true), 1);
    EXPECT_EQ(itemText(types, true, 0), layout::kChooserFilterName);
    HWND readOnly = findDescendant(chooser, 1040, L"Button");
    EXPECT_TRUE(readOnly == nullptr || !IsWindowVisible(readOnly));
    clickButton(chooser, IDCANCEL);
    ASSERT_TRUE(editor->harness.waitForNoPopup());
    EXPECT_FALSE(IsWindowEnabled(editor->harness.item(IDC_ENEMY_LIST))) << "a cancel opens nothing";
}

TEST_F(Win32MainWindowTest, AMissingOrShortFileIsReportedInTheErrorBox) {
    auto editor = start();
    writeBytes(dir.path("short.gb"), Bytes(112367, 0));
    // The chooser itself refuses a missing file; a file that goes before it is read is
    // reported by the editor.
    ASSERT_TRUE(
        editor->user.useChooser(IDM_OPEN, toWide(layout::kOpenChooserTitle), dir.path("short.gb")));
    HWND box = editor->harness.waitForPopup(toWide(messages::kErrorCaption));
    ASSERT_NE(box, nullptr);
    // The reason on the second line.
    const auto tooShort = platform::ErrorReason::of(platform::ErrorReason::Cause::TooShort);
    EXPECT_EQ(toUtf8(windowText(findDescendant(box, 0xFFFF, L"Static"))),
              platform::withReason(messages::kTooShort, tooShort));
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDYES), nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor->harness.window());
    clickButton(box, IDOK);
    ASSERT_TRUE(editor->harness.waitForNoPopup());
    EXPECT_FALSE(IsWindowEnabled(editor->harness.item(IDC_ENEMY_LIST)));
}

TEST_F(Win32MainWindowTest, TheSaveQuestionDefaultsToYesAndNoWritesNothing) {
    auto editor = start();
    ASSERT_TRUE(editor->user.open(imagePath));
    editor->user.typeStat(0, "99");
    PostMessageW(editor->harness.window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
    HWND box = editor->harness.waitForPopup(toWide(messages::kConfirmOverwriteCaption));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(toUtf8(windowText(findDescendant(box, 0xFFFF, L"Static"))),
              messages::kConfirmOverwriteText);
    EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    const auto buttonKind = [box](int id) {
        return GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK;
    };
    EXPECT_EQ(buttonKind(IDYES), BS_DEFPUSHBUTTON) << "Yes is the default";
    EXPECT_EQ(buttonKind(IDNO), BS_PUSHBUTTON);
    clickButton(box, IDNO);
    ASSERT_TRUE(editor->harness.waitForNoPopup());
    EXPECT_EQ(readBytes(imagePath), original);
    EXPECT_FALSE(exists(imagePath + ".bak"));
}

TEST_F(Win32MainWindowTest, SaveAsUsesATypedNameAsItIsAndAsksBeforeReplacing) {
    auto editor = start();
    ASSERT_TRUE(editor->user.open(imagePath));
    const std::string bare = dir.path("拡張子なし");
    ASSERT_TRUE(editor->user.saveAs(bare));
    EXPECT_EQ(readBytes(bare), original) << "no extension added";
    EXPECT_FALSE(exists(bare + ".gb"));

    const std::string existing = dir.path("既存.gb");
    writeBytes(existing, Bytes(131072, 7));
    PostMessageW(editor->harness.window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE_AS, 0), 0);
    HWND chooser = editor->harness.waitForPopup(toWide(layout::kSaveChooserTitle));
    ASSERT_NE(chooser, nullptr);
    SetWindowTextW(findDescendant(chooser, 1148, L"Edit"), toWide(existing).c_str());
    PostMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    // The replace question is a second window with the chooser's title, owned by it.
    HWND question = nullptr;
    for (int i = 0; i < 250 && question == nullptr; ++i, Sleep(20)) {
        for (HWND w : editor->harness.popups()) {
            if (GetWindow(w, GW_OWNER) == chooser) question = w;
        }
    }
    ASSERT_NE(question, nullptr) << "no replace question came within 5 s";
    clickButton(question, IDYES);
    ASSERT_TRUE(editor->harness.waitForNoPopup());
    EXPECT_EQ(readBytes(existing), original) << "replaced by a copy of the image";
}

// The same editing session through the real window and through the in-memory one
// writes the same files.
TEST_F(Win32MainWindowTest, AWholeUserStoryWritesWhatTheInMemoryWindowWrites) {
    std::filesystem::create_directory(pathFromUtf8(dir.path("win32")));
    std::filesystem::create_directory(pathFromUtf8(dir.path("memory")));
    const std::string win32Dir = dir.path("win32") + "\\";
    const std::string memoryDir = dir.path("memory") + "\\";
    const Bytes sample = tools::makeSampleImage(kStorySampleSeed);
    writeBytes(win32Dir + kStoryImage, sample);
    writeBytes(memoryDir + kStoryImage, sample);

    std::string failure;
    {
        Win32Editor editor(win32Dir + "data.ini");
        ASSERT_TRUE(editor.harness.started());
        EXPECT_TRUE(runUserStory(editor.user, win32Dir, failure)) << failure;
        EXPECT_EQ(editor.harness.waitForEnd(), 0);
    }
    EditorRig rig(memoryDir + "data.ini");
    rig.start();
    RigStoryDriver memory(rig);
    ASSERT_TRUE(runUserStory(memory, memoryDir, failure)) << failure;

    for (const std::string& name :
         {std::string(kStoryImage), std::string(kStoryImage) + ".bak", std::string(kStoryCopy)}) {
        SCOPED_TRACE(name);
        const Bytes written = readBytes(win32Dir + name);
        ASSERT_EQ(written.size(), sample.size());
        EXPECT_TRUE(written == readBytes(memoryDir + name));
    }
    EXPECT_NE(readBytes(win32Dir + kStoryImage), sample);
    EXPECT_FALSE(exists(win32Dir + kStoryCopy + ".bak")) << "the backup was off";
    EXPECT_EQ(profileInt(win32Dir + "data.ini", "Vesk Tool", "backup", -1), 1);
}

}  // namespace
}  // namespace vesk::test
