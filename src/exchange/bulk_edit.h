#pragma once

#include <string>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/field_assignment.h"
#include "exchange/field_diff.h"

namespace vesk::exchange {

// What a bulk edit did to one field of one enemy beyond storing exactly what was asked.
struct EditNote {
    enum class Kind {
        Clamped,  // the result lay outside the field's range and was clamped
        Chosen,   // hp or kero: the table entry nearest to the result was chosen
        NoValue,  // hp: the current entry shows "????", so +=, -= and *= left it as it was
    };
    Kind kind = Kind::Clamped;
    int enemy = 0;
    FieldAssignment::Field field = FieldAssignment::Field::Stat;
    int index = 0;         // stat number or ability slot
    std::string text;      // the assignment as given
    long long wanted = 0;  // what the assignment asked for (a value for hp and kero)
    int before = 0;        // the stored number before: the index for hp and kero
    int after = 0;         // the stored number after
    int highest = 0;       // the largest number the field holds
};

// "039 ベヒーモス  攻 120 → 255 (360 is outside 0-255)",
// "039 ベヒーモス  HP 1000 → 1280 (index 24 → 32, nearest to 1200)".
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

// Applies the assignments in order to each enemy. Numbers are kept within each field's
// range; hp and kero choose, for each enemy, the table entry whose value is nearest to the
// result (never "????"), and every such choice is noted. An ability slot an enemy does
// not have, or a number that is no enemy's, is a problem.
BulkEdit applyAssignments(const EnemyBlock& block, const std::vector<int>& enemies,
                          const std::vector<FieldAssignment>& assignments);

// The same from the assignments' texts ("attack*=1.5"), for callers that hold only text.
BulkEdit applyAssignmentTexts(const EnemyBlock& block, const std::vector<int>& enemies,
                              const std::vector<std::string>& texts);

}  // namespace vesk::exchange
