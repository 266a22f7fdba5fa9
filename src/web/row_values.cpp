#include "web/row_values.h"

#include "data/value_tables.h"

namespace vesk::web {

std::vector<int> rowValues(const EnemyBlock& block) {
    std::vector<int> values;
    values.reserve(EnemyBlock::kEnemyCount * kRowValues);
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        values.push_back(block.hpIndex(m));
        values.push_back(hpPosition(block.hpIndex(m)));
        values.push_back(block.keroIndex(m));
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) values.push_back(block.stat(m, k));
        const int count = block.abilityCount(m);
        values.push_back(count);
        for (int slot = 0; slot < EnemyBlock::kMaxAbilities; ++slot) {
            values.push_back(slot < count ? block.abilityAt(m, slot) : -1);
        }
    }
    return values;
}

}  // namespace vesk::web
