#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/enemy_block.h"

namespace vesk::exchange {

// One FIELD=VALUE of a bulk edit: hp or kero (the values their tables show), hp_index,
// kero_index, attack, defense, speed, magic or abilityN, with =, +=, -= or *= (only *=
// takes a fraction; abilities only =).
struct FieldAssignment {
    enum class Field { HpIndex, KeroIndex, Stat, Ability, Hp, Kero };
    enum class Operation { Set, Add, Subtract, Multiply };

    std::string text;  // as given, for messages
    std::string name;  // the field's name
    Field field = Field::HpIndex;
    int index = 0;  // stat number or ability slot (0 for ability1)
    Operation operation = Operation::Set;
    double operand = 0;

    // hp and kero name a table entry by the value it shows, not by its index.
    bool byValue() const { return field == Field::Hp || field == Field::Kero; }
    // The stored number: the index for hp and kero.
    int highest() const;  // the largest number the field holds
    int current(const EnemyBlock& block, int enemy) const;
    void store(EnemyBlock& block, int enemy, int value) const;
};

struct ParsedAssignment {
    FieldAssignment assignment;
    std::string problem;  // empty when the text was understood
};

ParsedAssignment parseAssignment(std::string_view text);

// Every text parsed, stopping at the first that cannot be.
struct ParsedAssignments {
    std::vector<FieldAssignment> assignments;
    std::string problem;
};

ParsedAssignments parseAssignments(const std::vector<std::string>& texts);

// The field's new value before clamping.
long long assignedValue(const FieldAssignment& assignment, int current);

}  // namespace vesk::exchange
