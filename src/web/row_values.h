#pragma once

#include <vector>

#include "data/enemy_block.h"

namespace vesk::web {

// Each enemy's fields as the page's table shows them, kRowValues numbers per enemy, at
// these places: HP index, HP list position, ケロ index, the four stats, the ability count
// and eight ability IDs (-1 past the count). The page takes the places from here.
namespace row {
constexpr int kHpIndex = 0, kHpPosition = 1, kKeroIndex = 2, kStats = 3,
              kAbilityCount = kStats + EnemyBlock::kStatCount, kAbilities = kAbilityCount + 1;
}  // namespace row
constexpr int kRowValues = row::kAbilities + EnemyBlock::kMaxAbilities;
std::vector<int> rowValues(const EnemyBlock& block);

}  // namespace vesk::web
