#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/enemy_field.h"

namespace vesk::exchange {

// One FIELD=VALUE of a bulk edit: a field of enemyFields() with =, +=, -= or *= (only *=
// takes a fraction; abilities only =).
struct FieldAssignment {
    using Field = EnemyField::Kind;
    enum class Operation { Set, Add, Subtract, Multiply };

    std::string text;  // as given, for messages
    std::string name;  // the field's name
    Field field = Field::HpIndex;
    int index = 0;  // stat number or ability slot (0 for ability1)
    Operation operation = Operation::Set;
    double operand = 0;

    EnemyField target() const { return {field, index}; }
    // hp and kero name a table entry by the value it shows, not by its index.
    bool byValue() const { return target().byValue(); }
    // The stored number: the index for hp and kero.
    int highest() const { return target().highest(); }  // the largest number it holds
    int current(const EnemyBlock& block, int enemy) const { return target().get(block, enemy); }
    void store(EnemyBlock& block, int enemy, int value) const { target().set(block, enemy, value); }
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
