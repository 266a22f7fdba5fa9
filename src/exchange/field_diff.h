#pragma once

#include <string>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/bytes.h"

namespace vesk::exchange {

// One field of one enemy that differs between two blocks.
struct FieldChange {
    enum class Field { HpIndex, KeroIndex, Stat, Ability, AbilityCount };
    int enemy = 0;
    Field field = Field::HpIndex;
    int index = 0;  // the stat number or the ability slot
    int before = 0;
    int after = 0;  // -1 for an ability slot the other list does not have
};

// Every editor field that differs, enemy by enemy in field order.
std::vector<FieldChange> diffFields(const EnemyBlock& before, const EnemyBlock& after);

// "037 ベヒーモス": the number and name that begin every line about an enemy.
std::string enemyHeading(int enemy);

// "037 ベヒーモス  攻 120 → 150", "012 あるくサボテン  ability 2: 063 : 44マグナム → 255 :
// （なし）".
std::string describeChange(const FieldChange& change);

// How many bytes of two whole images differ outside the fields diffFields reports (the
// block's other bytes, the ケロ byte's high bits and everything outside the block);
// bytes that only one of the images has count as different.
std::size_t otherDifferences(ByteView before, ByteView after);

}  // namespace vesk::exchange
