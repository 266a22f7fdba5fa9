// The main window's initialisation and event table against the in-memory dialog.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/name_tables.h"
#include "data/value_tables.h"
#include "editor_rig.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "test_files.h"

namespace vesk::test {
namespace {

using Kind = FakeDialog::Modal::Kind;

class MainWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    EditorRig rig{dir.path("data.ini")};

    std::size_t firstCall(const std::string& entry) const {
        const auto& calls = rig.dialog.calls;
        return static_cast<std::size_t>(std::find(calls.begin(), calls.end(), entry) -
                                        calls.begin());
    }
};

TEST_F(MainWindowTest, InitialisationRunsItsStepsInOrder) {
    rig.start();
    const std::vector<std::string> steps = {
        "setProperty VeskEdit 1", "setLargeIcon 105",  "removeSizeAndMaximize", "addString 1005",
        "setCurSel 1005 0",       "addString 1006",    "setCurSel 1006 0",      "addString 1008",
        "setCurSel 1008 0",       "setText 1009 0",    "setText 1012 0",        "addString 1007",
        "setCurSel 1007 0",       "resetContent 1013", "setFocus 1006"};
    std::size_t previous = 0;
    for (const auto& step : steps) {
        const std::size_t at = firstCall(step);
        ASSERT_LT(at, rig.dialog.calls.size()) << step << " never happened";
        EXPECT_GE(at, previous) << step << " out of order";
        previous = at;
    }
    EXPECT_EQ(rig.dialog.calls.back(), "setFocus 1006");
}

TEST_F(MainWindowTest, InitialStateBeforeAnyImage) {
    rig.start();
    const FakeDialog& d = rig.dialog;
    EXPECT_EQ(d.items(IDC_ENEMY_LIST).size(), 200u);
    EXPECT_EQ(d.items(IDC_ENEMY_LIST).front(), "000 : ハエおとこ");
    EXPECT_EQ(d.items(IDC_HP_LIST).size(), 45u);
    EXPECT_EQ(d.items(IDC_HP_LIST)[44], "????");
    EXPECT_EQ(d.items(IDC_KERO_LIST).size(), 16u);
    EXPECT_EQ(d.items(IDC_ABILITY_CHOICE).size(), 256u);
    EXPECT_EQ(d.items(IDC_ABILITY_CHOICE)[255], "255 : （なし）");
    EXPECT_TRUE(d.items(IDC_ABILITY_LIST).empty());
    for (int id : {IDC_ENEMY_LIST, IDC_HP_LIST, IDC_KERO_LIST, IDC_ABILITY_CHOICE})
        EXPECT_EQ(d.curSel(id), 0) << id;
    for (int id : layout::kStatFieldIds) EXPECT_EQ(d.fullText(id), "0");
    EXPECT_FALSE(d.enabled(IDC_ENEMY_LIST));
    EXPECT_FALSE(d.enabled(IDC_REPLACE));
    EXPECT_TRUE(d.menuGrayed(IDM_SAVE));
    EXPECT_TRUE(d.menuGrayed(IDM_SAVE_AS));
    EXPECT_FALSE(d.menuGrayed(IDM_OPEN));
    EXPECT_TRUE(d.menuItemChecked(IDM_AUTO_BACKUP));
    EXPECT_EQ(d.focus(), IDC_HP_LIST);
    EXPECT_TRUE(d.sizeAndMaximizeRemoved());
    EXPECT_EQ(d.largeIcon(), IDI_MAIN);
    EXPECT_EQ(d.property("VeskEdit"), 1);
    EXPECT_EQ(rig.controller.currentEnemy(), 0);
}

TEST_F(MainWindowTest, BeforeAnImageNothingReachesTheBlock) {
    rig.start();
    EXPECT_FALSE(rig.chooseEnemy(3));
    EXPECT_FALSE(rig.dialog.clickButton(IDC_REPLACE));
    EXPECT_FALSE(rig.dialog.chooseMenu(IDM_SAVE));
    EXPECT_FALSE(rig.dialog.chooseMenu(IDM_SAVE_AS));
    rig.typeStat(0, "12");
    EXPECT_TRUE(rig.chooseHp(5));
    EXPECT_EQ(rig.statShown(0), "12");
    EXPECT_EQ(rig.block.bytes(), EnemyBlock().bytes());
}

TEST_F(MainWindowTest, StoredSettingOffUnchecksAutomaticBackup) {
    writeBytes(rig.settings.path(), {'[',  'V', 'e', 's', 'k', ' ', 'T', 'o', 'o', 'l', ']',
                                     '\n', 'b', 'a', 'c', 'k', 'u', 'p', '=', '1', '\n'});
    rig.start();
    EXPECT_FALSE(rig.dialog.menuItemChecked(IDM_AUTO_BACKUP));
}

TEST_F(MainWindowTest, DialogOkAndCancelNeitherCloseNorChangeAnything) {
    rig.start();
    const auto callsBefore = rig.dialog.calls.size();
    for (int id : {IDC_DIALOG_OK, IDC_DIALOG_CANCEL, 9999}) rig.dialog.sendCommand(id, 0);
    EXPECT_FALSE(rig.dialog.ended());
    EXPECT_EQ(rig.dialog.calls.size(), callsBefore);
    EXPECT_TRUE(rig.dialog.modals.empty());
}

TEST_F(MainWindowTest, StatFieldCommandsSwitchTheInputMethodOffAndOnlyChangesAreEdits) {
    rig.start();
    rig.dialog.setText(IDC_STAT_SPEED, "500");
    rig.dialog.sendCommand(IDC_STAT_SPEED, platform::notify::kEditSetFocus);
    EXPECT_TRUE(rig.dialog.inputMethodDisabled(IDC_STAT_SPEED));
    EXPECT_EQ(rig.dialog.textLimit(IDC_STAT_SPEED), 3);
    EXPECT_EQ(rig.statShown(2), "500") << "a focus notification is no edit";
    rig.dialog.sendCommand(IDC_STAT_SPEED, platform::notify::kEditChange);
    EXPECT_EQ(rig.statShown(2), "255");
    EXPECT_FALSE(rig.dialog.inputMethodDisabled(IDC_STAT_MAGIC));
}

TEST_F(MainWindowTest, OnlyTheEndOfAChoiceSwitchesEnemies) {
    const auto image = dir.path("a.gb");
    writeBytes(image, std::vector<std::uint8_t>(131072, 0));
    rig.start();
    ASSERT_TRUE(rig.open(image));
    rig.dialog.setCurSel(IDC_ENEMY_LIST, 7);
    rig.dialog.sendCommand(IDC_ENEMY_LIST, platform::notify::kSelChange);
    EXPECT_EQ(rig.controller.currentEnemy(), 0);
    rig.dialog.sendCommand(IDC_ENEMY_LIST, platform::notify::kSelEndOk);
    EXPECT_EQ(rig.controller.currentEnemy(), 7);
}

TEST_F(MainWindowTest, CloseWritesTheSettingAndEndsWithZero) {
    rig.start();
    EXPECT_TRUE(rig.toggleBackup());
    EXPECT_FALSE(rig.dialog.menuItemChecked(IDM_AUTO_BACKUP));
    EXPECT_FALSE(exists(rig.settings.path())) << "toggling writes nothing";
    rig.close();
    EXPECT_EQ(rig.dialog.endResult(), 0);
    EXPECT_FALSE(rig.settings.loadBackupSetting());
}

TEST_F(MainWindowTest, ExitEntryClosesLikeTheCloseRequest) {
    rig.start();
    EXPECT_TRUE(rig.dialog.chooseMenu(IDM_EXIT));
    EXPECT_EQ(rig.dialog.endResult(), 0);
    EXPECT_TRUE(rig.settings.loadBackupSetting());
    EXPECT_TRUE(exists(rig.settings.path()));
}

TEST_F(MainWindowTest, DestructionRemovesTheWindowMarker) {
    rig.start();
    rig.dialog.destroy();
    EXPECT_FALSE(rig.dialog.property("VeskEdit").has_value());
}

}  // namespace
}  // namespace vesk::test
