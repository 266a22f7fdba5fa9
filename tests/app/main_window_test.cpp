// The main window's initialisation steps and event table against the in-memory dialog;
// its first state is the dialog contract's (tests/platform/dialog_contract_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>

#include "editor_rig.h"
#include "layout/resource_ids.h"
#include "test_files.h"

namespace vesk::test {
namespace {

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
        "setProperty VeskEdit 1", "setLargeIcon 105", "fixWindowSize",     "appendItem 1005",
        "selectItem 1005 0",      "appendItem 1006",  "selectItem 1006 0", "appendItem 1008",
        "selectItem 1008 0",      "setText 1009 0",   "setText 1012 0",    "appendItem 1007",
        "selectItem 1007 0",      "clearItems 1013",  "setFocus 1006"};
    std::size_t previous = 0;
    for (const auto& step : steps) {
        const std::size_t at = firstCall(step);
        ASSERT_LT(at, rig.dialog.calls.size()) << step << " never happened";
        EXPECT_GE(at, previous) << step << " out of order";
        previous = at;
    }
    EXPECT_EQ(rig.dialog.calls.back(), "setFocus 1006");
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

TEST_F(MainWindowTest, DialogOkAndCancelNeitherCloseNorChangeAnything) {
    rig.start();
    const auto callsBefore = rig.dialog.calls.size();
    for (int id : {IDC_DIALOG_OK, IDC_DIALOG_CANCEL, 9999})
        rig.dialog.sendEvent(id, platform::ControlEvent::Pressed);
    EXPECT_FALSE(rig.dialog.ended());
    EXPECT_EQ(rig.dialog.calls.size(), callsBefore);
    EXPECT_TRUE(rig.dialog.modals.empty());
}

TEST_F(MainWindowTest, StatFieldEventsSwitchTheInputMethodOffAndOnlyEditsChangeTheText) {
    rig.start();
    rig.dialog.setText(IDC_STAT_SPEED, "500");
    rig.dialog.sendEvent(IDC_STAT_SPEED, platform::ControlEvent::FocusEntered);
    EXPECT_TRUE(rig.dialog.inputMethodDisabled(IDC_STAT_SPEED));
    EXPECT_EQ(rig.dialog.textLimit(IDC_STAT_SPEED), 3);
    EXPECT_EQ(rig.statShown(2), "500") << "taking the focus is no edit";
    rig.dialog.sendEvent(IDC_STAT_SPEED, platform::ControlEvent::TextEdited);
    EXPECT_EQ(rig.statShown(2), "255");
    EXPECT_FALSE(rig.dialog.inputMethodDisabled(IDC_STAT_MAGIC));
}

TEST_F(MainWindowTest, OnlyTheEndOfAChoiceSwitchesEnemies) {
    const auto image = dir.path("a.gb");
    writeBytes(image, std::vector<std::uint8_t>(131072, 0));
    rig.start();
    ASSERT_TRUE(rig.open(image));
    rig.dialog.selectItem(IDC_ENEMY_LIST, 7);
    rig.dialog.sendEvent(IDC_ENEMY_LIST, platform::ControlEvent::SelectionChanged);
    EXPECT_EQ(rig.controller.currentEnemy(), 0);
    rig.dialog.sendEvent(IDC_ENEMY_LIST, platform::ControlEvent::SelectionConfirmed);
    EXPECT_EQ(rig.controller.currentEnemy(), 7);
}

}  // namespace
}  // namespace vesk::test
