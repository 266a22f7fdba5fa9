#include "exchange/enemy_table.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "data/name_tables.h"
#include "data/value_tables.h"
#include "exchange/csv.h"

namespace vesk::exchange {

std::string column::ability(int slot) { return "ability" + std::to_string(slot + 1); }

std::vector<std::string> tableColumns() {
    std::vector<std::string> columns = {
        std::string(column::kEnemy), std::string(column::kName),      std::string(column::kHpIndex),
        std::string(column::kHp),    std::string(column::kKeroIndex), std::string(column::kKero)};
    for (auto stat : column::kStats) columns.emplace_back(stat);
    columns.emplace_back(column::kAbilityCount);
    for (int slot = 0; slot < EnemyBlock::kMaxAbilities; ++slot) {
        columns.push_back(column::ability(slot));
    }
    return columns;
}

std::vector<std::string> enemyRow(const EnemyBlock& block, int enemy) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", enemy);
    std::vector<std::string> row = {number,
                                    std::string(enemyName(enemy)),
                                    std::to_string(block.hpIndex(enemy)),
                                    std::string(hpLabel(hpPosition(block.hpIndex(enemy)))),
                                    std::to_string(block.keroIndex(enemy)),
                                    std::string(keroLabel(block.keroIndex(enemy)))};
    for (int k = 0; k < EnemyBlock::kStatCount; ++k) {
        row.push_back(std::to_string(block.stat(enemy, k)));
    }
    const int count = block.abilityCount(enemy);
    row.push_back(std::to_string(count));
    for (int slot = 0; slot < EnemyBlock::kMaxAbilities; ++slot) {
        row.push_back(slot < count ? abilityLabel(block.abilityAt(enemy, slot)) : std::string());
    }
    return row;
}

std::string exportCsv(const EnemyBlock& block) {
    std::string text = "\xEF\xBB\xBF" + csvLine(tableColumns());
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) text += csvLine(enemyRow(block, m));
    return text;
}

std::string exportJson(const EnemyBlock& block) {
    std::vector<int> all(EnemyBlock::kEnemyCount);
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) all[m] = m;
    return exportJson(block, all);
}

std::string exportJson(const EnemyBlock& block, const std::vector<int>& enemies) {
    // ordered_json keeps the keys in the table's column order.
    auto array = nlohmann::ordered_json::array();
    for (int m : enemies) {
        nlohmann::ordered_json entry;
        entry[column::kEnemy] = m;
        entry[column::kName] = enemyName(m);
        entry[column::kHpIndex] = block.hpIndex(m);
        entry[column::kHp] = hpLabel(hpPosition(block.hpIndex(m)));
        entry[column::kKeroIndex] = block.keroIndex(m);
        entry[column::kKero] = keroLabel(block.keroIndex(m));
        for (int k = 0; k < EnemyBlock::kStatCount; ++k)
            entry[column::kStats[k]] = block.stat(m, k);
        entry[column::kAbilityCount] = block.abilityCount(m);
        auto abilities = nlohmann::ordered_json::array();
        for (int slot = 0; slot < block.abilityCount(m); ++slot) {
            const int id = block.abilityAt(m, slot);
            abilities.push_back({{"id", id}, {"name", abilityName(id)}});
        }
        entry["abilities"] = std::move(abilities);
        array.push_back(std::move(entry));
    }
    return array.dump(2) + "\n";
}

}  // namespace vesk::exchange
