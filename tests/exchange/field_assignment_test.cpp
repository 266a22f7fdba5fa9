#include "exchange/field_assignment.h"

#include <gtest/gtest.h>

#include "exchange/bulk_edit.h"
#include "language.h"

namespace vesk::exchange {
namespace {

// What an unknown field's problem lists after its name.
const std::string kFields =
    "; fields are hp, hp_index, kero, kero_index, attack, defense, speed, magic and ability1 "
    "to ability8, or the window's labels HP/ケロ/攻/防/早/魔/能力1…能力8";

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
    EXPECT_EQ(after("attack*=.5", 9), 5);
    EXPECT_EQ(after("attack*=2.", 9), 18);
    EXPECT_EQ(after("attack*=1.25", 100), 125);
    EXPECT_EQ(after("ability3=063 : 44マグナム", 0), 63);
    EXPECT_EQ(after(" attack *= 2 ", 9), 18);  // blanks count nowhere, as in tables

    const FieldAssignment kero = parseAssignment("kero_index=3").assignment;
    EXPECT_EQ(kero.highest(), 15);
    EnemyBlock block;
    block.bytes()[6] = 0xA0;
    kero.store(block, 0, 3);
    EXPECT_EQ(block.bytes()[6], 0xA3);
    const FieldAssignment slot = parseAssignment("ability2=9").assignment;
    EXPECT_EQ(slot.index, 1);
}

TEST(FieldAssignment, TakesTheWindowsLabelsAsFieldNames) {
    using Kind = EnemyField::Kind;
    for (const auto& [text, kind, index] : std::vector<std::tuple<std::string, Kind, int>>{
             {"攻*=1.5", Kind::Stat, 0},
             {"魔 -= 3", Kind::Stat, 3},
             {"HP=5000", Kind::Hp, 0},  // the value, as the window's list shows it
             {"ケロ+=100", Kind::Kero, 0},
             {"能力2=9", Kind::Ability, 1}}) {
        const ParsedAssignment parsed = parseAssignment(text);
        EXPECT_EQ(parsed.problem, "") << text;
        EXPECT_EQ(parsed.assignment.field, kind) << text;
        EXPECT_EQ(parsed.assignment.index, index) << text;
    }
}

TEST(FieldAssignment, RefusesWhatItCannotDo) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"attack", "\"attack\" is not FIELD=VALUE"},
        {"power=3", "unknown field \"power\"" + kFields},
        {"ability9=1", "unknown field \"ability9\"" + kFields},
        {"hp=1.5", "\"hp=1.5\": \"1.5\" is not a whole number"},
        {"ability1+=1", "\"ability1+=1\": an ability can only be set with ="},
        {"ability1=300",
         "\"ability1=300\": 300 is out of range; expected a whole number from 0 "
         "to 255"},
        {"attack=1.5", "\"attack=1.5\": \"1.5\" is not a whole number"},
        {"attack*=-2", "\"attack*=-2\": \"-2\" is not a number 0 or more (such as 1.5)"},
        {"attack+=", "\"attack+=\": \"\" is not a whole number"},
        {"attack*=1.2.3", "\"attack*=1.2.3\": \"1.2.3\" is not a number 0 or more (such as 1.5)"},
        {"attack*=.", "\"attack*=.\": \".\" is not a number 0 or more (such as 1.5)"},
        {"attack*=1e3", "\"attack*=1e3\": \"1e3\" is not a number 0 or more (such as 1.5)"},
        {"attack/=2", "\"attack/=2\": the operator \"/=\" is not one of =, +=, -= and *="},
        {"attack=５",
         "\"attack=５\": \"５\" is written with full-width digits such as \"５\"; write the "
         "number with the digits 0-9"},
        {"\x1B[2J=1", "unknown field \"\\x1B[2J\"" + kFields},
    };
    for (const auto& [text, problem] : cases) {
        EXPECT_EQ(parseAssignment(text).problem, problem) << text;
    }
}

TEST(BulkEdit, AppliesInOrderClampsAndReportsChangesAndNotes) {
    EnemyBlock block;
    block.setStat(0, 0, 200);
    block.setStat(1, 0, 100);
    const BulkEdit edit = applyAssignmentTexts(block, {0, 1}, {"attack*=1.5", "attack-=20"});
    ASSERT_EQ(edit.problem, "");
    EXPECT_EQ(edit.block.stat(0, 0), 235);  // 300 clamped to 255, then 20 less
    EXPECT_EQ(edit.block.stat(1, 0), 130);
    ASSERT_EQ(edit.notes.size(), 1u);
    EXPECT_EQ(edit.notes[0].enemy, 0);
    EXPECT_EQ(edit.notes[0].wanted, 300);
    EXPECT_EQ(edit.notes[0].after, 255);
    EXPECT_EQ(edit.noteLines,
              (std::vector<std::string>{"000 ハエおとこ  攻 200 → 255 (300 is outside 0-255)"}));
    EXPECT_EQ(edit.changes.size(), 2u);
    EXPECT_EQ(edit.changeLines, (std::vector<std::string>{"000 ハエおとこ  攻 200 → 235",
                                                          "001 ドラゴンフライ  攻 100 → 130"}));
}

TEST(BulkEdit, AProblemAppliesNothing) {
    EnemyBlock block;
    block.bytes()[9] = 1 << 3;  // enemy 1 has two abilities, enemy 0 one
    for (const auto& [enemies, texts, problem] :
         std::vector<std::tuple<std::vector<int>, std::vector<std::string>, std::string>>{
             {{1, 0},
              {"attack=9", "ability2=5"},
              "000 ハエおとこ has 1 abilities, so it has no ability2"},
             {{0, 200}, {"attack=9"}, "200 is not an enemy number 0-199"},
             {{0}, {"attack=9", "power=1"}, "unknown field \"power\"" + kFields},
         }) {
        const BulkEdit edit = applyAssignmentTexts(block, enemies, texts);
        EXPECT_EQ(edit.problem, problem);
        EXPECT_EQ(edit.block.bytes(), block.bytes());
        EXPECT_TRUE(edit.changes.empty() && edit.notes.empty());
    }
}

TEST(BulkEdit, ProblemsAndNotesReadAsJapanese) {
    const ScopedLanguage japanese(text::Language::Japanese);
    EnemyBlock block;
    block.setStat(0, 0, 200);
    block.setHpIndex(39, 24);
    for (const auto& [enemy, assignment, expected] :
         std::vector<std::tuple<int, std::string, std::string>>{
             {0, "attack", "\"attack\" は「項目=値」の形ではありません。"},
             {0, "能力2=1", "000 ハエおとこ の能力は 1 個なので、能力2 はありません。"},
             {0, "attack=x", "\"attack=x\": \"x\" は整数ではありません。"},
             {0, "攻*=1.5", "000 ハエおとこ  攻 200 → 255（300 を範囲 0〜255 に収めました）"},
             {39, "hp*=1.2",
              "039 ベヒーモス  HP 1000 → 1280（番号 24 → 32、1200 にいちばん近い値）"},
         }) {
        const BulkEdit edit = applyAssignmentTexts(block, {enemy}, {assignment});
        EXPECT_EQ(edit.problem.empty() ? edit.noteLines.at(0) : edit.problem, expected);
    }
}

TEST(BulkEdit, HpAndKeroChooseTheEntryNearestToTheValue) {
    struct Case {
        std::string assignment;
        int before, after;  // the stored index
        std::string note;
    };
    const std::vector<Case> cases = {
        {"hp=5000", 24, 31, "HP 1000 → 5000 (index 24 → 31)"},
        {"hp*=1.2", 24, 32, "HP 1000 → 1280 (index 24 → 32, nearest to 1200)"},
        {"hp+=500", 24, 25, "HP 1000 → 1500 (index 24 → 25)"},  // 26 shows 1500 too
        {"hp=2000", 0, 28, "HP 20 → 2000 (index 0 → 28)"},      // and 30
        {"hp*=1", 30, 30, "HP 2000 → 2000 (index 30 → 30)"},    // its own entry kept
        {"hp+=0", 26, 26, "HP 1500 → 1500 (index 26 → 26)"},
        {"hp-=5000", 0, 40, "HP 20 → 0 (index 0 → 40, nearest to -4980)"},
        {"hp=99999", 0, 39, "HP 20 → 25690 (index 0 → 39, nearest to 99999)"},
        {"hp=5000", 50, 31, "HP ???? → 5000 (index 50 → 31)"},
        {"hp*=2", 50, 50, "HP ???? (index 50) left as it was: \"????\" shows no value for hp*=2"},
        {"hp+=1", 44, 44, "HP ???? (index 44) left as it was: \"????\" shows no value for hp+=1"},
        {"kero=500", 0, 4, "ケロ 0 → 400 (index 0 → 4, nearest to 500)"},  // 600 as near
        {"kero*=2", 15, 15, "ケロ 9999 → 9999 (index 15 → 15, nearest to 19998)"},
        {"kero-=1", 0, 0, "ケロ 0 → 0 (index 0 → 0, nearest to -1)"},
        {"kero+=200", 6, 7, "ケロ 900 → 1200 (index 6 → 7, nearest to 1100)"},
    };
    for (const Case& c : cases) {
        EnemyBlock block;
        const bool hp = c.assignment.starts_with("hp");
        block.bytes()[9 * 39 + 6] = 0xA0;  // high bits of the ケロ byte stay
        hp ? block.setHpIndex(39, c.before) : block.setKeroIndex(39, c.before);
        const BulkEdit edit = applyAssignmentTexts(block, {39}, {c.assignment});
        ASSERT_EQ(edit.problem, "") << c.assignment;
        EXPECT_EQ(hp ? edit.block.hpIndex(39) : edit.block.keroIndex(39), c.after) << c.assignment;
        EXPECT_EQ(edit.block.bytes()[9 * 39 + 6] & 0xF0, 0xA0) << c.assignment;
        EXPECT_EQ(edit.noteLines, (std::vector<std::string>{"039 ベヒーモス  " + c.note}))
            << c.assignment;
    }
}

}  // namespace
}  // namespace vesk::exchange
