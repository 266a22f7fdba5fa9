#include "exchange/enemy_field.h"

#include "exchange/enemy_table.h"
#include "exchange/field_labels.h"

namespace vesk::exchange {

std::string EnemyField::key() const {
    switch (kind) {
        case Kind::HpIndex:
            return std::string(column::kHpIndex);
        case Kind::KeroIndex:
            return std::string(column::kKeroIndex);
        case Kind::Hp:
            return std::string(column::kHp);
        case Kind::Kero:
            return std::string(column::kKero);
        case Kind::Stat:
            return std::string(column::kStats[index]);
        case Kind::Ability:
            return column::ability(index);
    }
    return {};
}

std::string EnemyField::label() const {
    switch (kind) {
        case Kind::HpIndex:
        case Kind::Hp:
            return std::string(hpFieldLabel());
        case Kind::KeroIndex:
        case Kind::Kero:
            return std::string(keroFieldLabel());
        case Kind::Stat:
            return std::string(statFieldLabel(index));
        case Kind::Ability:
            return std::string(abilityFieldLabel()) + std::to_string(index + 1);
    }
    return {};
}

int EnemyField::highest() const {
    switch (kind) {
        case Kind::KeroIndex:
        case Kind::Kero:
            return EnemyBlock::kKeroIndexMax;
        case Kind::HpIndex:
        case Kind::Hp:
            return EnemyBlock::kHpIndexMax;
        case Kind::Stat:
            return EnemyBlock::kStatMax;
        case Kind::Ability:
            return EnemyBlock::kAbilityIdMax;
    }
    return 0;
}

int EnemyField::get(const EnemyBlock& block, int enemy) const {
    switch (kind) {
        case Kind::HpIndex:
        case Kind::Hp:
            return block.hpIndex(enemy);
        case Kind::KeroIndex:
        case Kind::Kero:
            return block.keroIndex(enemy);
        case Kind::Stat:
            return block.stat(enemy, index);
        case Kind::Ability:
            return block.abilityAt(enemy, index);
    }
    return 0;
}

void EnemyField::set(EnemyBlock& block, int enemy, int value) const {
    switch (kind) {
        case Kind::HpIndex:
        case Kind::Hp:
            block.setHpIndex(enemy, value);
            break;
        case Kind::KeroIndex:
        case Kind::Kero:
            block.setKeroIndex(enemy, value);
            break;
        case Kind::Stat:
            block.setStat(enemy, index, value);
            break;
        case Kind::Ability:
            block.setAbilityAt(enemy, index, value);
            break;
    }
}

const std::vector<EnemyField>& enemyFields() {
    static const std::vector<EnemyField> fields = [] {
        using Kind = EnemyField::Kind;
        std::vector<EnemyField> all = {
            {Kind::Hp, 0}, {Kind::Kero, 0}, {Kind::HpIndex, 0}, {Kind::KeroIndex, 0}};
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) all.push_back({Kind::Stat, k});
        for (int slot = 0; slot < EnemyBlock::kMaxAbilities; ++slot) {
            all.push_back({Kind::Ability, slot});
        }
        return all;
    }();
    return fields;
}

const EnemyField* findEnemyField(std::string_view name) {
    for (const EnemyField& field : enemyFields()) {
        if (field.key() == name) return &field;
    }
    // hp's label comes before hp_index's, the same, so "HP" names the value as in the window.
    for (const EnemyField& field : enemyFields()) {
        if (field.label() == name) return &field;
    }
    return nullptr;
}

std::string enemyFieldKeys() {
    const std::vector<EnemyField>& fields = enemyFields();
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += i + 1 == fields.size() ? " or " : ", ";
        text += fields[i].key();
    }
    return text;
}

}  // namespace vesk::exchange
