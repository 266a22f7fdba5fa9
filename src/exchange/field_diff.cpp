#include "exchange/field_diff.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "data/name_tables.h"
#include "data/value_tables.h"
#include "exchange/field_labels.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using text::tr;

std::string abilityText(int id) { return id < 0 ? std::string("—") : abilityLabel(id); }

// Which bytes of the block diffFields looks at, given both blocks' ability counts.
std::array<bool, EnemyBlock::kSize> fieldBytes(const EnemyBlock& a, const EnemyBlock& b) {
    std::array<bool, EnemyBlock::kSize> mask{};
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        // Every byte that is wholly a field; the count and ケロ bytes are partly fields
        // and otherDifferences looks at their other bits.
        for (std::size_t byte = 0; byte < EnemyBlock::kRecordSize; ++byte) {
            mask[EnemyBlock::recordOffset(m) + byte] = EnemyBlock::fieldBits(byte) != 0;
        }
        const int count = std::max(a.abilityCount(m), b.abilityCount(m));
        for (int slot = 0; slot < count; ++slot) {
            mask[EnemyBlock::poolEntryOffset(a.abilityStart(m) + slot)] = true;
        }
    }
    return mask;
}

EnemyBlock blockOf(ByteView image) { return EnemyBlock::readFrom(image); }

}  // namespace

std::vector<FieldChange> diffFields(const EnemyBlock& before, const EnemyBlock& after) {
    using Field = FieldChange::Field;
    std::vector<FieldChange> changes;
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        auto add = [&](Field field, int index, int a, int b) {
            if (a != b) changes.push_back({m, field, index, a, b});
        };
        add(Field::HpIndex, 0, before.hpIndex(m), after.hpIndex(m));
        add(Field::KeroIndex, 0, before.keroIndex(m), after.keroIndex(m));
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) {
            add(Field::Stat, k, before.stat(m, k), after.stat(m, k));
        }
        const int countBefore = before.abilityCount(m), countAfter = after.abilityCount(m);
        add(Field::AbilityCount, 0, countBefore, countAfter);
        for (int slot = 0; slot < std::max(countBefore, countAfter); ++slot) {
            add(Field::Ability, slot, slot < countBefore ? before.abilityAt(m, slot) : -1,
                slot < countAfter ? after.abilityAt(m, slot) : -1);
        }
    }
    return changes;
}

std::string enemyHeading(int enemy) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", enemy);
    return std::string(number) + " " + std::string(enemyName(enemy));
}

std::string describeChange(const FieldChange& change) {
    using Field = FieldChange::Field;
    const std::string enemy = enemyHeading(change.enemy);
    switch (change.field) {
        case Field::HpIndex:
            return tr("{enemy}  {field} {before} (hp_index {from}) → {after} (hp_index {to})",
                      {{"enemy", enemy},
                       {"field", hpFieldLabel()},
                       {"before", hpLabel(hpPosition(change.before))},
                       {"from", change.before},
                       {"after", hpLabel(hpPosition(change.after))},
                       {"to", change.after}});
        case Field::KeroIndex:
            return tr("{enemy}  {field} {before} (kero_index {from}) → {after} (kero_index {to})",
                      {{"enemy", enemy},
                       {"field", keroFieldLabel()},
                       {"before", keroLabel(change.before)},
                       {"from", change.before},
                       {"after", keroLabel(change.after)},
                       {"to", change.after}});
        case Field::Stat:  // the same in every language: the window's label and two numbers
            return enemy + "  " + std::string(statFieldLabel(change.index)) + " " +
                   std::to_string(change.before) + " → " + std::to_string(change.after);
        case Field::AbilityCount:
            return tr("{enemy}  ability count {before} → {after}",
                      {{"enemy", enemy}, {"before", change.before}, {"after", change.after}});
        case Field::Ability:
            return tr("{enemy}  ability {slot}: {before} → {after}",
                      {{"enemy", enemy},
                       {"slot", change.index + 1},
                       {"before", abilityText(change.before)},
                       {"after", abilityText(change.after)}});
    }
    return enemy;
}

std::size_t otherDifferences(ByteView before, ByteView after) {
    const EnemyBlock a = blockOf(before), b = blockOf(after);
    const auto mask = fieldBytes(a, b);
    const std::size_t common = std::min(before.size(), after.size());
    std::size_t count = std::max(before.size(), after.size()) - common;
    for (std::size_t i = 0; i < common; ++i) {
        if (before[i] == after[i]) continue;
        if (i >= EnemyBlock::kImageOffset && i < EnemyBlock::kImageEnd) {
            const std::size_t at = i - EnemyBlock::kImageOffset;
            const bool inRecords = at < EnemyBlock::recordOffset(EnemyBlock::kEnemyCount);
            // Only some bits of the count and ケロ bytes are fields; the rest count here.
            const std::uint8_t bits =
                inRecords ? EnemyBlock::fieldBits(at % EnemyBlock::kRecordSize) : 0;
            if (bits != 0 && bits != 0xFF) {
                if ((before[i] ^ after[i]) & ~bits) ++count;
                continue;
            }
            if (mask[at]) continue;
        }
        ++count;
    }
    return count;
}

}  // namespace vesk::exchange
