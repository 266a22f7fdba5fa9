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

namespace vesk::exchange {
namespace {

using Field = FieldAssignment::Field;
using Operation = FieldAssignment::Operation;

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

}  // namespace

ParsedAssignment parseAssignment(std::string_view whole) {
    ParsedAssignment parsed;
    FieldAssignment& assignment = parsed.assignment;
    assignment.text = std::string(whole);
    // Blanks around the field, the operator and the value do not count.
    const std::string_view text = withoutBlanks(whole);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        parsed.problem = exchange::quoted(assignment.text) + " is not FIELD=VALUE";
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
        parsed.problem = exchange::quoted(assignment.text) + ": the operator " +
                         exchange::quoted(op) + " is not one of =, +=, -= and *=";
        return parsed;
    }
    if (!readField(assignment.name, assignment)) {
        parsed.problem = "unknown field " + exchange::quoted(assignment.name) +
                         "; fields are hp, hp_index, kero, kero_index, attack, defense, "
                         "speed, magic and ability1 to ability8";
        return parsed;
    }
    const std::string_view value = withoutBlanks(text.substr(equals + 1));
    if (assignment.field == Field::Ability) {
        if (assignment.operation != Operation::Set) {
            parsed.problem =
                exchange::quoted(assignment.text) + ": an ability can only be set with =";
            return parsed;
        }
        const CellValue id = readLabelledCell(value, 0, kAbilityIdCount - 1,
                                              [](int v) { return std::string(abilityName(v)); });
        if (!id.problem.empty()) {
            parsed.problem = exchange::quoted(assignment.text) + ": " + id.problem;
            return parsed;
        }
        assignment.operand = id.value;
        return parsed;
    }
    const bool fraction = assignment.operation == Operation::Multiply;
    if (!readNumber(value, fraction, assignment.operand) || (fraction && assignment.operand < 0)) {
        if (std::string hint = fullWidthDigitProblem(value); !hint.empty()) {
            parsed.problem = exchange::quoted(assignment.text) + ": " + hint;
            return parsed;
        }
        parsed.problem = exchange::quoted(assignment.text) + ": " + exchange::quoted(value) +
                         " is not " +
                         (fraction ? "a number 0 or more (such as 1.5)" : "a whole number");
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
