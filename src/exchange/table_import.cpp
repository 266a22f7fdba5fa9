#include "exchange/table_import.h"
#include "exchange/quoted.h"

#include <array>
#include <map>
#include <optional>

#include "data/name_tables.h"
#include "data/value_tables.h"
#include "exchange/cell_value.h"
#include "exchange/enemy_table.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using text::tr;

// The checked fields of one row.
struct EnemyFields {
    int enemy = 0;
    int hpIndex = 0;
    int keroIndex = 0;
    std::array<int, EnemyBlock::kStatCount> stats{};
    std::vector<int> abilities;
};

// Reads one row; every problem goes into `problems` prefixed with where it is.
class RowReader {
public:
    RowReader(const EnemyBlock& current, const TableRecord& record, ProblemList& problems)
        : current_(current), record_(record), problems_(problems) {}

    std::optional<EnemyFields> read() {
        const CellValue enemy =
            readLabelledCell(record_.cell(column::kEnemy), 0, EnemyBlock::kEnemyCount - 1,
                             [](int m) { return std::string(enemyName(m)); });
        if (!enemy.problem.empty()) {
            report(column::kEnemy, enemy.problem);
            return std::nullopt;
        }
        fields_.enemy = enemy.value;
        const std::size_t before = problems_.total();
        checkLabel(column::kName, std::string(enemyName(fields_.enemy)),
                   tr("enemy {enemy}", {{"enemy", enemyNumber(fields_.enemy)}}));
        const std::size_t beforeHp = problems_.total();
        fields_.hpIndex = labelled(column::kHpIndex, EnemyBlock::kHpIndexMax,
                                   [](int v) { return std::string(hpLabel(hpPosition(v))); });
        if (problems_.total() == beforeHp) {
            checkLabel(column::kHp, std::string(hpLabel(hpPosition(fields_.hpIndex))),
                       "hp_index " + std::to_string(fields_.hpIndex));
        }
        const std::size_t beforeKero = problems_.total();
        fields_.keroIndex = labelled(column::kKeroIndex, EnemyBlock::kKeroIndexMax,
                                     [](int v) { return std::string(keroLabel(v)); });
        if (problems_.total() == beforeKero) {
            checkLabel(column::kKero, std::string(keroLabel(fields_.keroIndex)),
                       "kero_index " + std::to_string(fields_.keroIndex));
        }
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) {
            const CellValue stat =
                readNumberCell(record_.cell(column::kStats[k]), 0, EnemyBlock::kStatMax);
            if (!stat.problem.empty()) report(column::kStats[k], stat.problem);
            fields_.stats[k] = stat.value;
        }
        readAbilities();
        if (problems_.total() != before) return std::nullopt;
        return fields_;
    }

private:
    void report(std::string_view column, const std::string& problem) {
        std::string place = record_.where;
        if (column != column::kEnemy) place = withEnemy(place, fields_.enemy);
        problems_.add(placed(withColumn(place, column), problem));
    }

    int labelled(std::string_view column, int high, const std::function<std::string(int)>& label) {
        const CellValue value = readLabelledCell(record_.cell(column), 0, high, label);
        if (!value.problem.empty()) report(column, value.problem);
        return value.value;
    }

    // A label cell may be empty or absent; if filled, it must be what its number shows.
    // The number was most likely changed on purpose, so the label is what to mend.
    void checkLabel(std::string_view column, const std::string& expected,
                    const std::string& numberText) {
        const std::string_view given = record_.cell(column);
        if (given.empty() || given == expected) return;
        const std::initializer_list<text::Arg> args = {{"given", exchange::quoted(given)},
                                                       {"source", numberText},
                                                       {"expected", exchange::quoted(expected)},
                                                       {"key", exchange::quoted(column)}};
        report(column, record_.json ? tr("{given} contradicts {source}, which is {expected}; the "
                                         "numbers decide, so remove the key {key} or set it to "
                                         "{expected}",
                                         args)
                                    : tr("{given} contradicts {source}, which is {expected}; the "
                                         "number columns decide, so clear this cell or write "
                                         "{expected} in it",
                                         args));
    }

    void readAbilities() {
        const int count = current_.abilityCount(fields_.enemy);
        const std::string_view countCell = record_.cell(column::kAbilityCount);
        if (!countCell.empty()) {
            const CellValue given = readNumberCell(countCell, 1, EnemyBlock::kMaxAbilities);
            if (!given.problem.empty()) {
                report(column::kAbilityCount, given.problem);
            } else if (given.value != count) {
                report(column::kAbilityCount,
                       tr("{given} differs from the image, where enemy {enemy} has {count} "
                          "abilities; the number of abilities cannot be changed",
                          {{"given", given.value},
                           {"enemy", enemyNumber(fields_.enemy)},
                           {"count", count}}));
            }
        }
        for (int slot = 0; slot < EnemyBlock::kMaxAbilities; ++slot) {
            const std::string name = column::ability(slot);
            const std::string_view cell = record_.cell(name);
            if (slot >= count) {
                if (!cell.empty()) {
                    report(name, tr("enemy {enemy} has only {count} abilities, so this cell must "
                                    "be empty",
                                    {{"enemy", enemyNumber(fields_.enemy)}, {"count", count}}));
                }
                continue;
            }
            if (cell.empty()) {
                report(name, tr("empty, but enemy {enemy} has {count} abilities; expected an "
                                "ability ID 0-{most}",
                                {{"enemy", enemyNumber(fields_.enemy)},
                                 {"count", count},
                                 {"most", EnemyBlock::kAbilityIdMax}}));
                continue;
            }
            const CellValue id = readLabelledCell(
                cell, 0, kAbilityIdCount - 1, [](int v) { return std::string(abilityName(v)); });
            if (!id.problem.empty()) report(name, id.problem);
            if (id.problem.empty()) checkAbilityName(slot, id.value);
            fields_.abilities.push_back(id.value);
        }
    }

    // A JSON ability object's "name" beside its "id".
    void checkAbilityName(int slot, int id) {
        const std::string_view given = record_.cell(abilityNameCell(slot));
        const std::string expected(abilityName(id));
        if (given.empty() || given == expected) return;
        report(column::ability(slot),
               tr("\"name\" {given} contradicts \"id\" {id}, which is {expected}; the id "
                  "decides, so remove \"name\" or set it to {expected}",
                  {{"given", exchange::quoted(given)},
                   {"id", id},
                   {"expected", exchange::quoted(expected)}}));
    }

    const EnemyBlock& current_;
    const TableRecord& record_;
    ProblemList& problems_;
    EnemyFields fields_;
};

// Who last wrote a pool byte, so that overlapping lists can be compared.
struct PoolWrite {
    int enemy;
    int slot;
    int id;
    std::string where;
};

}  // namespace

ImportPlan planImport(const EnemyBlock& current, const TableInput& input) {
    ImportPlan plan{current, input.problems, 0};
    std::map<int, std::string> seen;  // enemy -> where its row is
    std::map<int, PoolWrite> pool;    // pool offset -> first write
    std::vector<EnemyFields> rows;
    for (const TableRecord& record : input.records) {
        auto fields = RowReader(current, record, plan.problems).read();
        if (!fields) continue;
        const auto [earlier, fresh] = seen.emplace(fields->enemy, record.where);
        if (!fresh) {
            plan.problems.add(
                placed(withColumn(record.where, column::kEnemy),
                       tr("enemy {enemy} appears twice (also at {other})",
                          {{"enemy", enemyNumber(fields->enemy)}, {"other", earlier->second}})));
            continue;
        }
        for (int slot = 0; slot < static_cast<int>(fields->abilities.size()); ++slot) {
            const int offset = current.abilityStart(fields->enemy) + slot;
            const int id = fields->abilities[slot];
            const auto [other, first] =
                pool.emplace(offset, PoolWrite{fields->enemy, slot, id, record.where});
            if (!first && other->second.id != id) {
                const PoolWrite& writer = other->second;
                plan.problems.add(placed(
                    withColumn(withEnemy(record.where, fields->enemy), column::ability(slot)),
                    tr("{ability} disagrees with {column} of enemy {enemy} ({place}), "
                       "{other}; their ability lists share pool byte {offset} of the enemy "
                       "block",
                       {{"ability", abilityLabel(id)},
                        {"column", column::ability(writer.slot)},
                        {"enemy", enemyNumber(writer.enemy)},
                        {"place", writer.where},
                        {"other", abilityLabel(writer.id)},
                        {"offset", EnemyBlock::poolEntryOffset(offset)}})));
            }
        }
        rows.push_back(std::move(*fields));
    }
    if (!plan.problems.empty()) return plan;

    for (const EnemyFields& row : rows) {
        plan.block.setHpIndex(row.enemy, row.hpIndex);
        plan.block.setKeroIndex(row.enemy, row.keroIndex);
        for (int k = 0; k < EnemyBlock::kStatCount; ++k)
            plan.block.setStat(row.enemy, k, row.stats[k]);
        for (int slot = 0; slot < static_cast<int>(row.abilities.size()); ++slot) {
            plan.block.setAbilityAt(row.enemy, slot, row.abilities[slot]);
        }
    }
    plan.enemyCount = static_cast<int>(rows.size());
    return plan;
}

}  // namespace vesk::exchange
