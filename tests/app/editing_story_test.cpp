// Editing an opened image through the window: stat fields, lists, abilities and enemy
// switches, checked in what the window shows and in the block.
#include <gtest/gtest.h>

#include "data/name_tables.h"
#include "editor_rig.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk::test {
namespace {

class EditingStory : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tools::writeSampleImage(imagePath, 7));
        rig.start();
        ASSERT_TRUE(rig.open(imagePath));
        ASSERT_TRUE(rig.dialog.errors().empty());
    }

    // Puts a stat field into the state "0" with the caret at the end.
    void zeroWithCaretAtEnd(int id) {
        rig.dialog.setText(id, "0");
        rig.dialog.selectText(id, 1, 1);
    }

    TempDir dir;
    std::string imagePath = dir.path("game.gb");
    EditorRig rig{dir.path("data.ini")};
    FakeDialog& d = rig.dialog;
};

TEST_F(EditingStory, OpeningShowsEnemyZeroAndEnablesEditing) {
    const EnemyBlock& b = rig.block;
    EXPECT_TRUE(d.enabled(IDC_ENEMY_LIST));
    EXPECT_TRUE(d.enabled(IDC_REPLACE));
    EXPECT_FALSE(d.menuGrayed(IDM_SAVE));
    EXPECT_FALSE(d.menuGrayed(IDM_SAVE_AS));
    EXPECT_EQ(d.focus(), IDC_ENEMY_LIST);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(rig.statShown(k), std::to_string(b.stat(0, k)));
    EXPECT_EQ(d.selectedItem(IDC_KERO_LIST), b.keroIndex(0));
    ASSERT_EQ(static_cast<int>(d.items(IDC_ABILITY_LIST).size()), b.abilityCount(0));
    EXPECT_EQ(d.items(IDC_ABILITY_LIST)[0], abilityLabel(b.abilityAt(0, 0)));
    EXPECT_EQ(d.selectedItem(IDC_ABILITY_LIST), 0);
}

TEST_F(EditingStory, TypingKeepsTheFieldADecimalByteWithTheCaretAtTheEnd) {
    const int id = IDC_STAT_ATTACK;
    zeroWithCaretAtEnd(id);
    d.typeKey(id, '3');
    EXPECT_EQ(d.fullText(id), "3");
    d.typeKey(id, '0');
    EXPECT_EQ(d.fullText(id), "30");
    d.typeKey(id, '0');
    EXPECT_EQ(d.fullText(id), "255");
    EXPECT_EQ(d.textSelection(id), std::make_pair(3, 3));
    EXPECT_FALSE(d.typeKey(id, '9')) << "three characters at most";

    zeroWithCaretAtEnd(id);
    d.typeKey(id, '7');
    EXPECT_EQ(d.fullText(id), "7") << "\"07\" loses its leading zero";
    EXPECT_EQ(d.textSelection(id), std::make_pair(1, 1));

    d.pressBackspace(id);
    EXPECT_EQ(d.fullText(id), "0");
    EXPECT_EQ(d.textSelection(id), std::make_pair(0, 1)) << "wholly selected";
    d.typeKey(id, '5');
    EXPECT_EQ(d.fullText(id), "5") << "the next digit replaces the 0";
}

TEST_F(EditingStory, PastedTextIsNormalisedLikeTyping) {
    const int id = IDC_STAT_MAGIC;
    const std::pair<const char*, const char*> cases[] = {
        {"-5", "0"}, {"+12", "12"}, {" 42", "42"}, {"abc", "0"}, {"999", "255"}, {"0012", "1"}};
    for (auto [pasted, shown] : cases) {
        d.selectText(id, 0, -1);
        d.paste(id, pasted);
        EXPECT_EQ(d.fullText(id), shown) << "pasted " << pasted;
    }
}

TEST_F(EditingStory, EditsSurviveSwitchingEnemiesWithoutASave) {
    rig.typeStat(0, "12");
    rig.typeStat(1, "200");
    rig.typeStat(3, "9");
    ASSERT_TRUE(rig.chooseHp(3));
    ASSERT_TRUE(rig.chooseKero(15));
    ASSERT_TRUE(rig.chooseEnemy(5));
    EXPECT_EQ(rig.controller.currentEnemy(), 5);
    EXPECT_EQ(rig.statShown(0), std::to_string(rig.block.stat(5, 0)));
    ASSERT_TRUE(rig.chooseEnemy(0));
    EXPECT_EQ(rig.statShown(0), "12");
    EXPECT_EQ(rig.statShown(1), "200");
    EXPECT_EQ(rig.statShown(3), "9");
    EXPECT_EQ(d.selectedItem(IDC_HP_LIST), 3);
    EXPECT_EQ(d.selectedItem(IDC_KERO_LIST), 15);
    EXPECT_EQ(rig.block.stat(0, 1), 200);
    EXPECT_EQ(rig.block.hpIndex(0), 3);
}

TEST_F(EditingStory, UnknownHpEntryKeepsAnOutOfTableIndex) {
    rig.block.setHpIndex(4, 200);
    rig.block.setHpIndex(6, 10);
    ASSERT_TRUE(rig.chooseEnemy(4));
    EXPECT_EQ(d.selectedItem(IDC_HP_LIST), 44);
    ASSERT_TRUE(rig.chooseEnemy(6));  // leaves 4 on "????"
    EXPECT_EQ(rig.block.hpIndex(4), 200);
    ASSERT_TRUE(rig.chooseHp(44));
    ASSERT_TRUE(rig.chooseEnemy(4));
    EXPECT_EQ(rig.block.hpIndex(6), 44) << "\"????\" chosen for a table index stores 44";
    ASSERT_TRUE(rig.chooseHp(0));
    ASSERT_TRUE(rig.chooseEnemy(6));
    EXPECT_EQ(rig.block.hpIndex(4), 0);
}

TEST_F(EditingStory, ReplacingAnAbilityWritesTheBlockAtOnceAndShowsAfterASwitch) {
    rig.block.bytes()[EnemyBlock::recordOffset(2)] = 0x18;  // enemy 2 has four abilities
    ASSERT_TRUE(rig.chooseEnemy(2));
    ASSERT_TRUE(rig.replaceAbility(2, 255));
    EXPECT_EQ(d.items(IDC_ABILITY_LIST)[2], "255 : （なし）");
    EXPECT_EQ(d.selectedItem(IDC_ABILITY_LIST), 2);
    EXPECT_EQ(d.items(IDC_ABILITY_LIST).size(), 4u);
    EXPECT_EQ(rig.block.abilityAt(2, 2), 255);
    ASSERT_TRUE(rig.chooseEnemy(3));
    ASSERT_TRUE(rig.chooseEnemy(2));
    EXPECT_EQ(d.items(IDC_ABILITY_LIST)[2], "255 : （なし）");
    EXPECT_EQ(d.selectedItem(IDC_ABILITY_LIST), 0);
}

TEST_F(EditingStory, ReplacingWithoutASelectedRowChangesNothing) {
    const auto before = rig.block.bytes();
    d.selectItem(IDC_ABILITY_LIST, -1);
    ASSERT_TRUE(d.clickButton(IDC_REPLACE));
    EXPECT_EQ(rig.block.bytes(), before);
}

}  // namespace
}  // namespace vesk::test
