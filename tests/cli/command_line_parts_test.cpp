#include <gtest/gtest.h>

#include "cli/enemy_selection.h"
#include "text/catalog.h"

namespace vesk::cli {
namespace {

TEST(EnemySelection, TakesNumbersListsAndRanges) {
    EXPECT_EQ(parseEnemySelection("5").enemies, (std::vector<int>{5}));
    EXPECT_EQ(parseEnemySelection("7,3,7").enemies, (std::vector<int>{3, 7}));
    EXPECT_EQ(parseEnemySelection("198-199,0").enemies, (std::vector<int>{0, 198, 199}));
    EXPECT_EQ(parseEnemySelection("0-199").enemies.size(), 200u);
}

TEST(EnemySelection, RefusesAnythingElse) {
    for (const char* bad : {"", "200", "-1", "5-3", "a", "1,,2", "1-", "3 "}) {
        const EnemySelection selection = parseEnemySelection(bad);
        EXPECT_TRUE(selection.enemies.empty()) << bad;
        EXPECT_FALSE(selection.problem.empty()) << bad;
    }
    text::setLanguage(text::Language::English);
    EXPECT_EQ(parseEnemySelection("1,200").problem,
              "\"200\" is not an enemy number 0-199 or a range such as 100-199");
    text::setLanguage(text::Language::Japanese);
}

}  // namespace
}  // namespace vesk::cli
