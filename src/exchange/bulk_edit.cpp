#include "exchange/bulk_edit.h"

#include <algorithm>

#include "data/value_tables.h"
#include "exchange/field_labels.h"
#include "exchange/value_entry.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using Field = FieldAssignment::Field;
using text::tr;

EditNote noteFor(EditNote::Kind kind, const FieldAssignment& assignment, int enemy) {
    EditNote note;
    note.kind = kind;
    note.enemy = enemy;
    note.field = assignment.field;
    note.index = assignment.index;
    note.text = assignment.text;
    note.highest = assignment.highest();
    return note;
}

// A number field: the result kept within its range.
void applyNumber(const FieldAssignment& assignment, int enemy, BulkEdit& edit) {
    const int before = assignment.current(edit.block, enemy);
    const long long wanted = assignedValue(assignment, before);
    const int value = static_cast<int>(std::clamp<long long>(wanted, 0, assignment.highest()));
    if (value != wanted) {
        EditNote note = noteFor(EditNote::Kind::Clamped, assignment, enemy);
        note.wanted = wanted;
        note.before = before;
        note.after = value;
        edit.notes.push_back(std::move(note));
    }
    assignment.store(edit.block, enemy, value);
}

// hp or kero: the result is a value; the entry nearest to it is stored.
void applyValue(const FieldAssignment& assignment, int enemy, BulkEdit& edit) {
    const bool hp = assignment.field == Field::Hp;
    const int before = assignment.current(edit.block, enemy);
    const std::optional<int> shown = hp ? hpValue(hpPosition(before)) : keroValue(before);
    if (!shown && assignment.operation != FieldAssignment::Operation::Set) {
        EditNote note = noteFor(EditNote::Kind::NoValue, assignment, enemy);
        note.before = note.after = before;
        edit.notes.push_back(std::move(note));
        return;
    }
    EditNote note = noteFor(EditNote::Kind::Chosen, assignment, enemy);
    note.wanted = assignedValue(assignment, shown.value_or(0));
    note.before = before;
    note.after =
        hp ? nearestHpPosition(note.wanted, before) : nearestKeroPosition(note.wanted, before);
    assignment.store(edit.block, enemy, note.after);
    edit.notes.push_back(std::move(note));
}

FieldChange::Field changeField(Field field) {
    switch (field) {
        case Field::HpIndex:
        case Field::Hp:
            return FieldChange::Field::HpIndex;
        case Field::KeroIndex:
        case Field::Kero:
            return FieldChange::Field::KeroIndex;
        case Field::Stat:
            return FieldChange::Field::Stat;
        case Field::Ability:
            return FieldChange::Field::Ability;
    }
    return FieldChange::Field::Stat;
}

std::string shownText(Field field, int stored) {
    return std::string(field == Field::Hp ? hpLabel(hpPosition(stored)) : keroLabel(stored));
}

std::string fieldLabel(const EditNote& note) {
    return std::string(note.field == Field::Hp ? hpFieldLabel() : keroFieldLabel());
}

}  // namespace

std::string describeNote(const EditNote& note) {
    switch (note.kind) {
        case EditNote::Kind::Clamped:
            return tr("{change} ({wanted} is outside 0-{highest})",
                      {{"change", describeChange({note.enemy, changeField(note.field), note.index,
                                                  note.before, note.after})},
                       {"wanted", note.wanted},
                       {"highest", note.highest}});
        case EditNote::Kind::Chosen: {
            const std::string shown = shownText(note.field, note.after);
            if (shown == std::to_string(note.wanted)) {
                return tr("{enemy}  {field} {before} → {after} (index {from} → {to})",
                          {{"enemy", enemyHeading(note.enemy)},
                           {"field", fieldLabel(note)},
                           {"before", shownText(note.field, note.before)},
                           {"after", shown},
                           {"from", note.before},
                           {"to", note.after}});
            }
            return tr(
                "{enemy}  {field} {before} → {after} (index {from} → {to}, nearest to "
                "{wanted})",
                {{"enemy", enemyHeading(note.enemy)},
                 {"field", fieldLabel(note)},
                 {"before", shownText(note.field, note.before)},
                 {"after", shown},
                 {"from", note.before},
                 {"to", note.after},
                 {"wanted", note.wanted}});
        }
        case EditNote::Kind::NoValue:
            return tr(
                "{enemy}  {field} {before} (index {index}) left as it was: \"????\" shows "
                "no value for {assignment}",
                {{"enemy", enemyHeading(note.enemy)},
                 {"field", fieldLabel(note)},
                 {"before", shownText(note.field, note.before)},
                 {"index", note.before},
                 {"assignment", note.text}});
    }
    return {};
}

BulkEdit applyAssignments(const EnemyBlock& block, const std::vector<int>& enemies,
                          const std::vector<FieldAssignment>& assignments) {
    BulkEdit edit{block, {}, {}, {}, {}, {}};
    auto refuse = [&](std::string problem) {
        return BulkEdit{block, {}, {}, {}, {}, std::move(problem)};
    };
    for (int enemy : enemies) {
        if (enemy < 0 || enemy >= EnemyBlock::kEnemyCount) {
            return refuse(tr("{number} is not an enemy number 0-199", {{"number", enemy}}));
        }
        for (const FieldAssignment& assignment : assignments) {
            const int count = edit.block.abilityCount(enemy);
            if (assignment.field == Field::Ability && assignment.index >= count) {
                return refuse(tr("{enemy} has {count} abilities, so it has no {field}",
                                 {{"enemy", enemyHeading(enemy)},
                                  {"count", count},
                                  {"field", assignment.name}}));
            }
            if (assignment.byValue()) {
                applyValue(assignment, enemy, edit);
            } else {
                applyNumber(assignment, enemy, edit);
            }
        }
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
