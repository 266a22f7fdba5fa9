#include "exchange/bulk_edit.h"

#include <algorithm>

#include "data/name_tables.h"

namespace vesk::exchange {
namespace {

std::string noEnemyProblem(int enemy) {
    return std::to_string(enemy) + " is not an enemy number 0-199";
}

// Applies one assignment to one enemy of `block`; a note when the result was clamped.
void applyOne(const FieldAssignment& assignment, int enemy, BulkEdit& edit) {
    const int before = assignment.current(edit.block, enemy);
    const long long wanted = assignedValue(assignment, before);
    const int value = static_cast<int>(std::clamp<long long>(wanted, 0, assignment.highest()));
    if (value != wanted) {
        edit.notes.push_back({EditNote::Kind::Clamped, enemy, assignment.field, assignment.index,
                              assignment.name, wanted, before, value, assignment.highest()});
    }
    assignment.store(edit.block, enemy, value);
}

}  // namespace

std::string describeNote(const EditNote& note) {
    return enemyLabel(note.enemy) + "  " + note.name + ": " + std::to_string(note.wanted) +
           " is outside 0-" + std::to_string(note.highest) + ", clamped to " +
           std::to_string(note.after);
}

BulkEdit applyAssignments(const EnemyBlock& block, const std::vector<int>& enemies,
                          const std::vector<FieldAssignment>& assignments) {
    BulkEdit edit{block, {}, {}, {}, {}, {}};
    for (int enemy : enemies) {
        if (enemy < 0 || enemy >= EnemyBlock::kEnemyCount) {
            edit.problem = noEnemyProblem(enemy);
            break;
        }
        for (const FieldAssignment& assignment : assignments) {
            if (assignment.field == FieldAssignment::Field::Ability &&
                assignment.index >= edit.block.abilityCount(enemy)) {
                edit.problem = enemyLabel(enemy) + " has " +
                               std::to_string(edit.block.abilityCount(enemy)) +
                               " abilities, so it has no " + assignment.name;
                break;
            }
            applyOne(assignment, enemy, edit);
        }
        if (!edit.problem.empty()) break;
    }
    if (!edit.problem.empty()) {
        std::string problem = std::move(edit.problem);
        edit = BulkEdit{block, {}, {}, {}, {}, std::move(problem)};
        return edit;
    }
    edit.changes = diffFields(block, edit.block);
    for (const FieldChange& change : edit.changes)
        edit.changeLines.push_back(describeChange(change));
    for (const EditNote& note : edit.notes) edit.noteLines.push_back(describeNote(note));
    return edit;
}

BulkEdit applyAssignmentTexts(const EnemyBlock& block, const std::vector<int>& enemies,
                              const std::vector<std::string>& texts) {
    ParsedAssignments parsed = parseAssignments(texts);
    if (!parsed.problem.empty()) return BulkEdit{block, {}, {}, {}, {}, std::move(parsed.problem)};
    return applyAssignments(block, enemies, parsed.assignments);
}

}  // namespace vesk::exchange
