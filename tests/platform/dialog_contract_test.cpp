// What the main window shows and does on every realisation of platform::Dialog: its
// first state before an image is open and how it closes. Each realisation instantiates
// DialogContract with a WindowFactory of its own.
#include <gtest/gtest.h>

#include "data/enemy_block.h"
#include "data/name_tables.h"
#include "data/value_tables.h"
#include "dialog_contract.h"
#include "io/settings_file.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"

namespace vesk::test {
namespace {

TEST_P(DialogContract, ListsStartFilledWithTheirFirstRowSelected) {
    const auto window = start();
    const struct {
        int id;
        std::size_t count;
        std::string first, last;
    } lists[] = {
        {IDC_ENEMY_LIST, EnemyBlock::kEnemyCount, enemyLabel(0), enemyLabel(199)},
        {IDC_HP_LIST, kHpLabelCount, std::string(hpLabel(0)), "????"},
        {IDC_KERO_LIST, kKeroLabelCount, std::string(keroLabel(0)),
         std::string(keroLabel(kKeroLabelCount - 1))},
        {IDC_ABILITY_CHOICE, kAbilityIdCount, abilityLabel(0), abilityLabel(255)},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.id);
        const std::vector<std::string> items = window->items(list.id);
        ASSERT_EQ(items.size(), list.count);
        EXPECT_EQ(items.front(), list.first);
        EXPECT_EQ(items.back(), list.last);
        EXPECT_EQ(window->selectedItem(list.id), 0);
    }
    EXPECT_TRUE(window->items(IDC_ABILITY_LIST).empty());
    EXPECT_EQ(window->selectedItem(IDC_ABILITY_LIST), -1);
    for (const int id : layout::kStatFieldIds) EXPECT_EQ(window->text(id), "0") << id;
}

TEST_P(DialogContract, BeforeAnImageOnlyOpeningAndTheSettingCanBeUsed) {
    const auto window = start();
    EXPECT_FALSE(window->enabled(IDC_ENEMY_LIST));
    EXPECT_FALSE(window->enabled(IDC_REPLACE));
    EXPECT_TRUE(window->enabled(IDC_HP_LIST));
    const struct {
        int id;
        bool enabled;
    } entries[] = {{IDM_OPEN, true},
                   {IDM_SAVE, false},
                   {IDM_SAVE_AS, false},
                   {IDM_EXIT, true},
                   {IDM_AUTO_BACKUP, true}};
    for (const auto& entry : entries) {
        EXPECT_EQ(window->menuEntryEnabled(entry.id), entry.enabled) << entry.id;
    }
    EXPECT_TRUE(window->menuEntryChecked(IDM_AUTO_BACKUP));
    EXPECT_EQ(window->focusedControl(), IDC_HP_LIST) << "the first enabled tab stop";
}

TEST_P(DialogContract, TheWindowIsMarkedHasItsIconAndAFixedSize) {
    const auto window = start();
    EXPECT_EQ(window->marker(), 1);
    EXPECT_TRUE(window->hasIcon());
    EXPECT_TRUE(window->sizeFixed());
}

TEST_P(DialogContract, AStoredOffSettingStartsWithTheBackupUnchecked) {
    writeText(settingsPath, "[Vesk Tool]\r\nbackup=01\r\n");
    EXPECT_FALSE(start()->menuEntryChecked(IDM_AUTO_BACKUP));
}

TEST_P(DialogContract, ClosingWritesTheSettingAndTakesTheMarkerAway) {
    const auto window = start();
    ASSERT_TRUE(window->chooseMenuEntry(IDM_AUTO_BACKUP));
    EXPECT_FALSE(window->menuEntryChecked(IDM_AUTO_BACKUP));
    EXPECT_FALSE(exists(settingsPath)) << "nothing is written before the window closes";
    window->requestClose();
    EXPECT_EQ(window->endResult(), 0);
    EXPECT_FALSE(SettingsFile(settingsPath).loadBackupSetting());
    EXPECT_FALSE(window->markedWhenDestroyed());
}

TEST_P(DialogContract, TheExitEntryClosesLikeTheCloseRequest) {
    const auto window = start();
    ASSERT_TRUE(window->chooseMenuEntry(IDM_EXIT));
    EXPECT_EQ(window->endResult(), 0);
    ASSERT_TRUE(exists(settingsPath));
    EXPECT_TRUE(SettingsFile(settingsPath).loadBackupSetting());
}

}  // namespace
}  // namespace vesk::test
