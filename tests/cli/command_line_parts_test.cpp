#include <gtest/gtest.h>

#include "cli/enemy_selection.h"
#include "cli/field_assignment.h"

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
    EXPECT_EQ(parseEnemySelection("1,200").problem,
              "\"200\" is not an enemy number 0-199 or a range such as 100-199");
}

long long after(const std::string& text, int current) {
    const ParsedAssignment parsed = parseAssignment(text);
    EXPECT_TRUE(parsed.problem.empty()) << text << ": " << parsed.problem;
    return assignedValue(parsed.assignment, current);
}

TEST(FieldAssignment, ComputesEachOperation) {
    EXPECT_EQ(after("attack=7", 100), 7);
    EXPECT_EQ(after("defense+=30", 100), 130);
    EXPECT_EQ(after("speed-=130", 100), -30);  // clamped by the caller, which reports it
    EXPECT_EQ(after("magic*=1.5", 101), 152);  // rounded to the nearest
    EXPECT_EQ(after("hp_index*=0", 9), 0);
    EXPECT_EQ(after("ability3=063 : 44マグナム", 0), 63);

    const FieldAssignment kero = parseAssignment("kero_index=3").assignment;
    EXPECT_EQ(kero.highest(), 15);
    EnemyBlock block;
    block.bytes()[6] = 0xA0;
    kero.store(block, 0, 3);
    EXPECT_EQ(block.bytes()[6], 0xA3);
    const FieldAssignment slot = parseAssignment("ability2=9").assignment;
    EXPECT_EQ(slot.index, 1);
}

TEST(FieldAssignment, RefusesWhatItCannotDo) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"attack", "\"attack\" is not FIELD=VALUE"},
        {"power=3",
         "unknown field \"power\"; fields are hp_index, kero_index, attack, defense, "
         "speed, magic and ability1 to ability8"},
        {"ability9=1",
         "unknown field \"ability9\"; fields are hp_index, kero_index, attack, "
         "defense, speed, magic and ability1 to ability8"},
        {"ability1+=1", "\"ability1+=1\": an ability can only be set with ="},
        {"ability1=300",
         "\"ability1=300\": 300 is out of range; expected a whole number from 0 "
         "to 255"},
        {"attack=1.5", "\"attack=1.5\": \"1.5\" is not a whole number"},
        {"attack*=-2", "\"attack*=-2\": \"-2\" is not a number 0 or more (such as 1.5)"},
        {"attack+=", "\"attack+=\": \"\" is not a whole number"},
    };
    for (const auto& [text, problem] : cases) {
        EXPECT_EQ(parseAssignment(text).problem, problem) << text;
    }
}

}  // namespace
}  // namespace vesk::cli
