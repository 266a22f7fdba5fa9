#include "data/name_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vesk {
namespace {

TEST(NameTables, LabelsAreThreeDigitsColonAndName) {
    EXPECT_EQ(enemyLabel(0), "000 : ハエおとこ");
    EXPECT_EQ(enemyLabel(42), "042 : はげたかおとこ");
    EXPECT_EQ(enemyLabel(199), "199 : かみ");
    EXPECT_EQ(abilityLabel(7), "007 : いきかえり");
    EXPECT_EQ(abilityLabel(255), "255 : （なし）");
    EXPECT_EQ(listLabel(5, "x"), "005 : x");
}

TEST(NameTables, NamesKeepTheirMarksAndRepeats) {
    EXPECT_EQ(enemyName(169), "28ごう");
    EXPECT_EQ(enemyName(173), enemyName(185));
    EXPECT_EQ(enemyName(193), "げんぶ2");
    EXPECT_EQ(enemyName(197), "すざく(地上)");
    EXPECT_EQ(abilityName(14), "HP200");
    EXPECT_EQ(abilityName(114), abilityName(139));
    EXPECT_EQ(abilityName(115), "キック");
    EXPECT_EQ(abilityName(184), "キック");
    EXPECT_EQ(abilityName(221), "○れいき／ぶき");
    EXPECT_EQ(abilityName(223), "×ほのお");
    for (int id : {252, 253, 254}) EXPECT_EQ(abilityName(id), "空白(エスパー)");
}

TEST(NameTables, SortingLabelsAsTextGivesNumberOrder) {
    std::vector<std::string> abilities, enemies;
    for (int id = kAbilityIdCount - 1; id >= 0; --id) abilities.push_back(abilityLabel(id));
    for (int m = EnemyBlock::kEnemyCount - 1; m >= 0; --m) enemies.push_back(enemyLabel(m));
    std::sort(abilities.begin(), abilities.end());
    std::sort(enemies.begin(), enemies.end());
    for (int id = 0; id < kAbilityIdCount; ++id) EXPECT_EQ(abilities[id], abilityLabel(id));
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) EXPECT_EQ(enemies[m], enemyLabel(m));
}

TEST(NameTables, EveryNameIsNonEmptyUtf8) {
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) EXPECT_FALSE(enemyName(m).empty()) << m;
    for (int id = 0; id < kAbilityIdCount; ++id) EXPECT_FALSE(abilityName(id).empty()) << id;
}

}  // namespace
}  // namespace vesk
