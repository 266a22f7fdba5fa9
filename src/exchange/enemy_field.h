#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/enemy_block.h"

namespace vesk::exchange {

// A field of an enemy that a user can name: in `vesk set`, as a column of the table and
// in the browser page's bulk edit. Each field's key, label, range and way of reading and
// writing it are written here once; the lists the front ends show come from enemyFields().
struct EnemyField {
    enum class Kind { HpIndex, KeroIndex, Stat, Ability, Hp, Kero };

    Kind kind = Kind::Stat;
    int index = 0;  // stat number or ability slot (0 for ability1)

    std::string key() const;    // "hp", "hp_index", "attack", "ability1", ...
    std::string label() const;  // the window's label: "HP", "ケロ", "攻", "能力1", ...
    // hp and kero go by the values their lists show, the others by the stored number.
    bool byValue() const { return kind == Kind::Hp || kind == Kind::Kero; }
    int highest() const;  // the largest number the field stores
    int get(const EnemyBlock& block, int enemy) const;
    void set(EnemyBlock& block, int enemy, int value) const;
};

// Every field, in the order `vesk set --help` and the page list them.
const std::vector<EnemyField>& enemyFields();

// The field a key ("attack") or the window's label ("攻", "HP", "能力2") names, or nullptr.
// A label shared by a value and its index ("HP") names the value.
const EnemyField* findEnemyField(std::string_view name);

// The keys, joined with ", " and a final " or ", as a help text lists them.
std::string enemyFieldKeys();

}  // namespace vesk::exchange
