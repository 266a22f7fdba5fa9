#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "data/enemy_block.h"

namespace vesk::exchange {

// The columns of the enemy table, in the order export writes them. Import takes them in
// any order; the label columns (name, hp, kero) and ability_count may be left out.
namespace column {
inline constexpr std::string_view kEnemy = "enemy", kName = "name", kHpIndex = "hp_index",
                                  kHp = "hp", kKeroIndex = "kero_index", kKero = "kero",
                                  kAbilityCount = "ability_count";
inline constexpr std::array<std::string_view, EnemyBlock::kStatCount> kStats = {"attack", "defense",
                                                                                "speed", "magic"};
std::string ability(int slot);  // "ability1" for slot 0
}  // namespace column

std::vector<std::string> tableColumns();

// The cells of one enemy's row, as the window would label them, in tableColumns() order.
std::vector<std::string> enemyRow(const EnemyBlock& block, int enemy);

// All 200 enemies as CSV: UTF-8 with a byte-order mark, CRLF line ends, header first.
std::string exportCsv(const EnemyBlock& block);

// All 200 enemies as a JSON array of objects with the same keys; the abilities as an
// array "abilities" of {"id", "name"} objects in slot order.
std::string exportJson(const EnemyBlock& block);
std::string exportJson(const EnemyBlock& block, const std::vector<int>& enemies);

}  // namespace vesk::exchange
