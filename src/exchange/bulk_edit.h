#pragma once

#include <string>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/field_assignment.h"
#include "exchange/field_diff.h"

namespace vesk::exchange {

// Something a bulk edit did to a field other than storing exactly what was asked.
struct EditNote {
    enum class Kind { Clamped };
    Kind kind = Kind::Clamped;
    int enemy = 0;
    FieldAssignment::Field field = FieldAssignment::Field::Stat;
    int index = 0;         // stat number or ability slot
    std::string name;      // the field's name as the assignment gave it
    long long wanted = 0;  // what the assignment asked for
    int before = 0;        // the field before the assignment
    int after = 0;         // what was stored
    int highest = 0;       // the largest value the field holds
};

std::string describeNote(const EditNote& note);

// The outcome of applying assignments to a set of enemies: the edited block, every field
// that changed and every note, as data and as the lines the `vesk` command prints.
struct BulkEdit {
    EnemyBlock block;  // as given when `problem` is set
    std::vector<FieldChange> changes;
    std::vector<std::string> changeLines;
    std::vector<EditNote> notes;
    std::vector<std::string> noteLines;
    std::string problem;  // when set, nothing was applied
};

// Applies the assignments in order to each enemy (ascending numbers, each once), results
// kept within each field's range. An ability slot an enemy does not have is a problem.
BulkEdit applyAssignments(const EnemyBlock& block, const std::vector<int>& enemies,
                          const std::vector<FieldAssignment>& assignments);

// The same from the assignments' texts ("attack*=1.5"), for callers that hold only text.
BulkEdit applyAssignmentTexts(const EnemyBlock& block, const std::vector<int>& enemies,
                              const std::vector<std::string>& texts);

}  // namespace vesk::exchange
