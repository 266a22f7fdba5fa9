#pragma once

#include <string>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/table_input.h"

namespace vesk::exchange {

// The block an imported table would give, or every reason it cannot be imported.
struct ImportPlan {
    EnemyBlock block;
    ProblemList problems;  // the first screenful of them, and how many in all
    int enemyCount = 0;    // rows taken
};

// Checks every row against the rules of the enemy data and, when all pass, stores the
// editor's fields into a copy of `current`: HP index, the four stats, the ケロ bits
// and the ability pool bytes. The count byte and every other byte stay as they were.
ImportPlan planImport(const EnemyBlock& current, const TableInput& input);

}  // namespace vesk::exchange
