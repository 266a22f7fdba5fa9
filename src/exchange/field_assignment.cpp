#include "exchange/field_assignment.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "data/name_tables.h"
#include "exchange/blank_trim.h"
#include "exchange/cell_value.h"
#include "exchange/enemy_table.h"
#include "exchange/quoted.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using Field = FieldAssignment::Field;
using Operation = FieldAssignment::Operation;
using text::tr;

bool readField(std::string_view name, FieldAssignment& assignment) {
    const EnemyField* field = findEnemyField(name);
    if (field == nullptr) return false;
    assignment.field = field->kind;
    assignment.index = field->index;
    return true;
}

// A decimal number such as "12", "-3" or "1.25"; read by hand because not every standard
// library the core is built with has std::from_chars for floating point.
bool readDecimal(std::string_view text, double& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double number = 0, scale = 1;
    bool digits = false, point = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale /= 10;
                number += (c - '0') * scale;
            } else {
                number = number * 10 + (c - '0');
            }
        } else {
            return false;
        }
    }
    value = negative ? -number : number;
    return digits && std::isfinite(value);
}

bool readNumber(std::string_view text, bool fraction, double& value) {
    if (text.starts_with('+')) text.remove_prefix(1);
    if (text.empty()) return false;
    if (fraction) return readDecimal(text, value);
    long long whole = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, whole);
    value = static_cast<double>(whole);
    return error == std::errc() && stop == end;
}

// "/=" in "attack/=2": an operator the assignment does not take, after a known field.
std::string unknownOperator(std::string_view head) {
    if (head.size() < 2 ||
        std::string_view("/%^&|<>!~:").find(head.back()) == std::string_view::npos) {
        return {};
    }
    FieldAssignment probe;
    if (!readField(withoutBlanks(head.substr(0, head.size() - 1)), probe)) return {};
    return std::string(1, head.back()) + "=";
}

// A problem of the value, as a cell of the table would have it, after the assignment it is in.
std::string assignmentProblem(const std::string& text, const std::string& problem) {
    return tr("{assignment}: {problem}", {{"assignment", quoted(text)}, {"problem", problem}});
}

// The window's labels a field may go by too: "HP/ケロ/攻/防/早/魔/能力1…能力8" (hp_index and
// kero_index share hp's and kero's, which name the values).
std::string fieldLabels() {
    std::string labels, firstAbility, lastAbility;
    for (const EnemyField& field : enemyFields()) {
        if (field.kind == Field::HpIndex || field.kind == Field::KeroIndex) continue;
        if (field.kind != Field::Ability) {
            labels += field.label() + "/";
        } else {
            (firstAbility.empty() ? firstAbility : lastAbility) = field.label();
        }
    }
    return labels + firstAbility + "…" + lastAbility;
}

}  // namespace

ParsedAssignment parseAssignment(std::string_view whole) {
    ParsedAssignment parsed;
    FieldAssignment& assignment = parsed.assignment;
    assignment.text = std::string(whole);
    // Blanks around the field, the operator and the value do not count.
    const std::string_view text = withoutBlanks(whole);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        parsed.problem = tr("{text} is not FIELD=VALUE", {{"text", quoted(assignment.text)}});
        return parsed;
    }
    std::string_view head = withoutBlanks(text.substr(0, equals));
    constexpr std::array<std::pair<char, Operation>, 3> kCompound = {
        {{'+', Operation::Add}, {'-', Operation::Subtract}, {'*', Operation::Multiply}}};
    for (const auto& [sign, operation] : kCompound) {
        if (!head.empty() && head.back() == sign) {
            assignment.operation = operation;
            head = withoutBlanks(head.substr(0, head.size() - 1));
            break;
        }
    }
    assignment.name = std::string(head);
    if (const std::string op = unknownOperator(head); !op.empty()) {
        parsed.problem = tr("{text}: the operator {operator} is not one of =, +=, -= and *=",
                            {{"text", quoted(assignment.text)}, {"operator", quoted(op)}});
        return parsed;
    }
    if (!readField(assignment.name, assignment)) {
        parsed.problem =
            tr("unknown field {name}; fields are hp, hp_index, kero, kero_index, "
               "attack, defense, speed, magic and ability1 to ability8, or the "
               "window's labels {labels}",
               {{"name", quoted(assignment.name)}, {"labels", fieldLabels()}});
        return parsed;
    }
    const std::string_view value = withoutBlanks(text.substr(equals + 1));
    if (assignment.field == Field::Ability) {
        if (assignment.operation != Operation::Set) {
            parsed.problem = tr("{text}: an ability can only be set with =",
                                {{"text", quoted(assignment.text)}});
            return parsed;
        }
        const CellValue id = readLabelledCell(value, 0, kAbilityIdCount - 1,
                                              [](int v) { return std::string(abilityName(v)); });
        if (!id.problem.empty()) {
            parsed.problem = assignmentProblem(assignment.text, id.problem);
            return parsed;
        }
        assignment.operand = id.value;
        return parsed;
    }
    const bool fraction = assignment.operation == Operation::Multiply;
    if (!readNumber(value, fraction, assignment.operand) || (fraction && assignment.operand < 0)) {
        if (std::string hint = fullWidthDigitProblem(value); !hint.empty()) {
            parsed.problem = assignmentProblem(assignment.text, hint);
            return parsed;
        }
        const std::string shown = quoted(assignment.text), number = quoted(value);
        parsed.problem = fraction ? tr("{text}: {value} is not a number 0 or more (such as 1.5)",
                                       {{"text", shown}, {"value", number}})
                                  : tr("{text}: {value} is not a whole number",
                                       {{"text", shown}, {"value", number}});
    }
    return parsed;
}

ParsedAssignments parseAssignments(const std::vector<std::string>& texts) {
    ParsedAssignments parsed;
    for (const std::string& text : texts) {
        ParsedAssignment one = parseAssignment(text);
        if (!one.problem.empty()) {
            parsed.problem = std::move(one.problem);
            parsed.assignments.clear();
            return parsed;
        }
        parsed.assignments.push_back(std::move(one.assignment));
    }
    return parsed;
}

long long assignedValue(const FieldAssignment& assignment, int current) {
    // Far past any field's range, and far from overflowing.
    const double operand = std::clamp(assignment.operand, -1e9, 1e9);
    switch (assignment.operation) {
        case Operation::Set:
            return static_cast<long long>(operand);
        case Operation::Add:
            return current + static_cast<long long>(operand);
        case Operation::Subtract:
            return current - static_cast<long long>(operand);
        case Operation::Multiply:
            return std::llround(current * operand);
    }
    return current;
}

}  // namespace vesk::exchange
