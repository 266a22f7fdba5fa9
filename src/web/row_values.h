#pragma once

#include <vector>

#include "data/enemy_block.h"

namespace vesk::web {

// Each enemy's fields as the page's table shows them, kRowValues numbers per enemy:
// HP index, HP list position, ケロ index, the four stats, the ability count and eight
// ability IDs (-1 past the count).
constexpr int kRowValues = 16;
std::vector<int> rowValues(const EnemyBlock& block);

}  // namespace vesk::web
