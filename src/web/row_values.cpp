#include "web/row_values.h"

#include "data/value_tables.h"

namespace vesk::web {

std::vector<int> rowValues(const EnemyBlock& block) {
    std::vector<int> values(static_cast<std::size_t>(EnemyBlock::kEnemyCount * kRowValues));
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        int* row = values.data() + m * kRowValues;
        row[row::kHpIndex] = block.hpIndex(m);
        row[row::kHpPosition] = hpPosition(block.hpIndex(m));
        row[row::kKeroIndex] = block.keroIndex(m);
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) row[row::kStats + k] = block.stat(m, k);
        const int count = block.abilityCount(m);
        row[row::kAbilityCount] = count;
        for (int slot = 0; slot < EnemyBlock::kMaxAbilities; ++slot) {
            row[row::kAbilities + slot] = slot < count ? block.abilityAt(m, slot) : -1;
        }
    }
    return values;
}

}  // namespace vesk::web
