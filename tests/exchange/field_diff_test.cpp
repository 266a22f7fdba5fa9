#include <gtest/gtest.h>

#include "exchange/field_diff.h"
#include "exchange/field_labels.h"
#include "language.h"
#include "sample_image.h"

namespace vesk::exchange {
namespace {

std::vector<std::string> described(const EnemyBlock& a, const EnemyBlock& b) {
    std::vector<std::string> lines;
    for (const auto& change : diffFields(a, b)) lines.push_back(describeChange(change));
    return lines;
}

TEST(FieldDiff, DescribesEachChangedFieldWithNamesAndLabelsInBothLanguages) {
    EnemyBlock before;
    before.setStat(39, 0, 120);
    before.setAbilityAt(12, 1, 63);
    before.bytes()[9 * 12] = 1 << 3;  // two abilities
    EnemyBlock after = before;
    after.setStat(39, 0, 150);
    after.setAbilityAt(12, 1, 255);
    after.setHpIndex(0, 50);
    after.setKeroIndex(0, 15);
    const std::vector<std::string> english = {
        "000 ハエおとこ  HP 20 (hp_index 0) → ???? (hp_index 50)",
        "000 ハエおとこ  ケロ 0 (kero_index 0) → 9999 (kero_index 15)",
        "012 あるくサボテン  ability 2: 063 : 44マグナム → 255 : （なし）",
        "039 ベヒーモス  攻 120 → 150",
    };
    EXPECT_EQ(described(before, after), english);

    const ScopedLanguage japanese(text::Language::Japanese);
    const std::vector<std::string> lines = described(before, after);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "000 ハエおとこ  HP 20（番号 0） → ????（番号 50）",
                         "000 ハエおとこ  ケロ 0（番号 0） → 9999（番号 15）",
                         "012 あるくサボテン  能力2: 063 : 44マグナム → 255 : （なし）",
                         "039 ベヒーモス  攻 120 → 150",
                     }));
    // The catalog names the ability slot as the window names the ability list.
    EXPECT_NE(lines[2].find(std::string(abilityFieldLabel()) + "2:"), std::string::npos);
}

TEST(FieldDiff, CountsOtherBytesOutsideTheFields) {
    const Bytes a = tools::makeSampleImage(1);
    Bytes b = a;
    b[EnemyBlock::kImageOffset + 2] ^= 1;         // attack of enemy 0: a field
    b[EnemyBlock::kImageOffset + 6] ^= 0x01;      // ケロ bits: a field
    b[EnemyBlock::kImageOffset + 6 + 9] ^= 0x10;  // high bits of a ケロ byte: other
    b[EnemyBlock::kImageOffset + 7] ^= 1;         // byte 7: other
    b[EnemyBlock::kImageOffset + 1900] ^= 1;      // the uninterpreted region: other
    b[EnemyBlock::kImageOffset + 3070] ^= 1;      // past every list: other
    b[10] ^= 1;                                   // outside the block
    b.push_back(0);                               // one byte longer
    EXPECT_EQ(otherDifferences(a, b), 6u);
    EXPECT_EQ(otherDifferences(a, a), 0u);
}

}  // namespace
}  // namespace vesk::exchange
