#include "exchange/table_input.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "data/enemy_block.h"
#include "data/name_tables.h"
#include "exchange/blank_trim.h"
#include "exchange/cell_value.h"
#include "exchange/csv.h"
#include "exchange/enemy_table.h"
#include "exchange/json_table_parser.h"
#include "exchange/quoted.h"
#include "exchange/text_encoding.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using text::tr;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isKnownColumn(std::string_view name) {
    const auto columns = tableColumns();
    return std::find(columns.begin(), columns.end(), name) != columns.end();
}

// Columns every row must have; the rest are labels or optional checks.
std::vector<std::string_view> requiredColumns() {
    std::vector<std::string_view> columns = {column::kEnemy, column::kHpIndex, column::kKeroIndex};
    columns.insert(columns.end(), column::kStats.begin(), column::kStats.end());
    return columns;
}

void checkRequiredColumns(const std::set<std::string, std::less<>>& present,
                          const std::string& place, ProblemList& problems) {
    for (auto name : requiredColumns()) {
        if (!present.contains(name)) {
            problems.add(
                placed(place, tr("the column \"{column}\" is missing", {{"column", name}})));
        }
    }
}

// A JSON value as the text of a cell. Arrays and objects are no cell's value; the
// caller reports them without ever writing them out.
std::string jsonCellText(const nlohmann::json& value) {
    if (value.is_null()) return {};
    if (value.is_string()) return std::string(withoutBlanks(value.get<std::string>()));
    if (value.is_number_integer() || value.is_number_unsigned()) return value.dump();
    if (value.is_number_float()) {
        // 12.0 is the number 12. Far past every field the number keeps its exponent
        // ("1e+300"), which reads as out of range, and is never cast.
        const double number = value.get<double>();
        if (std::abs(number) < 1e15 && number == std::trunc(number)) {
            return std::to_string(static_cast<long long>(number));
        }
    }
    return value.dump();
}

bool isStructured(const nlohmann::json& value) { return value.is_array() || value.is_object(); }

std::string structuredProblem(const std::string& place, std::string_view key,
                              const nlohmann::json& value) {
    return placed(withColumn(place, visibleText(key)),
                  value.is_array() ? tr("expected a number or a text, not a JSON array")
                                   : tr("expected a number or a text, not a JSON object"));
}

// "entry 3 (enemy 005)" when the entry names an enemy, else "entry 3", for messages.
std::string entryWithEnemy(const nlohmann::json& entry, std::size_t index) {
    const std::string place = entryPlace(index + 1);
    if (!entry.is_object() || !entry.contains(column::kEnemy)) return place;
    const CellValue enemy = readNumberCell(jsonCellText(entry.at(std::string(column::kEnemy))), 0,
                                           EnemyBlock::kEnemyCount - 1);
    return enemy.problem.empty() ? withEnemy(place, enemy.value) : place;
}

// A header that is one cell holding ";" or tabs is a table saved with another separator.
std::string separatorProblem(const CsvRow& header) {
    if (header.cells.size() != 1) return {};
    const std::string& cell = header.cells.front();
    if (cell.find(';') != std::string::npos) {
        return placed(tr("header"), tr("the columns are separated by \";\", not by commas; save "
                                       "the table as CSV with commas (\"CSV UTF-8\")"));
    }
    if (cell.find('\t') != std::string::npos) {
        return placed(tr("header"), tr("the columns are separated by tabs, not by commas; save the "
                                       "table as CSV with commas (\"CSV UTF-8\")"));
    }
    return {};
}

ProblemList problemOnly(std::string problem) {
    ProblemList problems;
    problems.add(std::move(problem));
    return problems;
}

// Text that JSON reads as something other than an array or object (a string, a number, a
// comment) is JSON that is not a table, rather than a CSV header of strange columns.
std::string notATableProblem(std::string_view text) {
    if (text.starts_with("//") || text.starts_with("/*")) {
        return tr(
            "the file is JSON that is not a table (it begins with a comment, and a table "
            "holds none); expected a JSON array of enemies");
    }
    const char first = text.empty() ? '\0' : text.front();
    const bool scalar = first == '"' || first == '-' || (first >= '0' && first <= '9') ||
                        first == 't' || first == 'f' || first == 'n';
    if (!scalar || !nlohmann::json::accept(text)) return {};
    if (first == '"') {
        return tr(
            "the file is JSON that is not a table (it holds a string); expected a JSON "
            "array of enemies");
    }
    if (first == '-' || first <= '9') {
        return tr(
            "the file is JSON that is not a table (it holds a number); expected a JSON "
            "array of enemies");
    }
    return tr(
        "the file is JSON that is not a table (it holds true, false or null); expected a "
        "JSON array of enemies");
}

}  // namespace

std::string abilityNameCell(int slot) { return column::ability(slot) + " name"; }

std::string_view TableRecord::cell(std::string_view column) const {
    const auto found = cells.find(column);
    return found == cells.end() ? std::string_view() : std::string_view(found->second);
}

bool TableRecord::has(std::string_view column) const { return cells.contains(column); }

TableInput readCsvTable(std::string_view text) {
    TableInput input;
    CsvParse csv = parseCsv(text);
    if (!csv.problem.empty()) {
        input.problems.add(csv.problem);
        return input;
    }
    if (csv.rows.empty()) {
        input.problems.add(tr("the file is empty; expected a header row"));
        return input;
    }
    const CsvRow& header = csv.rows.front();
    if (std::string problem = separatorProblem(header); !problem.empty()) {
        input.problems.add(std::move(problem));
        return input;
    }
    std::set<std::string, std::less<>> present;
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string name(withoutBlanks(header.cells[i]));
        const std::string place = tr("header, column {column}", {{"column", i + 1}});
        if (!isKnownColumn(name)) {
            input.problems.add(
                placed(place, tr("unknown column {name}", {{"name", exchange::quoted(name)}})));
        } else if (!present.insert(name).second) {
            input.problems.add(
                placed(place, tr("the column \"{column}\" appears twice", {{"column", name}})));
        }
    }
    checkRequiredColumns(present, tr("header"), input.problems);
    if (!input.problems.empty()) return input;

    for (std::size_t r = 1; r < csv.rows.size(); ++r) {
        const CsvRow& row = csv.rows[r];
        TableRecord record{linePlace(row.line), {}, false};
        if (row.cells.size() > header.cells.size()) {
            input.problems.add(placed(
                record.where, tr("{cells} cells but the header has {columns} columns",
                                 {{"cells", row.cells.size()}, {"columns", header.cells.size()}})));
            continue;
        }
        // Spreadsheets may drop empty cells at a row's end: those read as empty.
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            record.cells[std::string(withoutBlanks(header.cells[i]))] = withoutBlanks(row.cells[i]);
        }
        for (std::size_t i = row.cells.size(); i < header.cells.size(); ++i) {
            record.cells[std::string(withoutBlanks(header.cells[i]))] = "";
        }
        input.records.push_back(std::move(record));
    }
    return input;
}

TableInput readJsonTable(std::string_view text) {
    TableInput input;
    const JsonTableParse parse = parseJsonTable(text);
    if (!parse.problem.empty()) {
        input.problems.add(parse.problem);
        return input;
    }
    const nlohmann::json& document = parse.document;
    if (!document.is_array()) {
        input.problems.add(tr("expected a JSON array of enemies"));
        return input;
    }
    for (const DuplicateKey& duplicate : parse.duplicates) {
        std::string place = entryWithEnemy(document[duplicate.entry], duplicate.entry);
        if (duplicate.inAbility) place = withColumn(place, "abilities");
        input.problems.add(placed(place, tr("the key {key} appears twice; keep one of them",
                                            {{"key", exchange::quoted(duplicate.key)}})));
    }
    for (std::size_t i = 0; i < document.size(); ++i) {
        const nlohmann::json& entry = document[i];
        TableRecord record{entryPlace(i + 1), {}, true};
        const std::string where = entryWithEnemy(entry, i);
        if (!entry.is_object()) {
            input.problems.add(placed(record.where, tr("expected an object")));
            continue;
        }
        const std::size_t before = input.problems.total();
        std::set<std::string, std::less<>> present;
        for (const auto& [key, value] : entry.items()) {
            if (key == "abilities") continue;
            if (!isKnownColumn(key) ||
                (key.starts_with("ability") && key != column::kAbilityCount)) {
                input.problems.add(placed(
                    record.where, tr("unknown key {key}", {{"key", exchange::quoted(key)}})));
                continue;
            }
            present.insert(key);
            if (isStructured(value)) input.problems.add(structuredProblem(where, key, value));
            record.cells[key] = jsonCellText(value);
        }
        checkRequiredColumns(present, record.where, input.problems);
        const auto abilities = entry.find("abilities");
        if (abilities == entry.end()) {
            input.problems.add(placed(record.where, tr("the key \"abilities\" is missing")));
            continue;
        }
        if (!abilities->is_array()) {
            input.problems.add(placed(record.where, tr("\"abilities\" must be an array")));
            continue;
        }
        if (abilities->size() > static_cast<std::size_t>(EnemyBlock::kMaxAbilities)) {
            input.problems.add(
                placed(record.where,
                       tr("\"abilities\" holds {count} entries; an enemy has at "
                          "most {most}",
                          {{"count", abilities->size()}, {"most", EnemyBlock::kMaxAbilities}})));
            continue;
        }
        for (std::size_t slot = 0; slot < abilities->size(); ++slot) {
            const nlohmann::json& ability = (*abilities)[slot];
            const std::string name = column::ability(static_cast<int>(slot));
            const nlohmann::json id =
                ability.is_object() ? ability.value("id", nlohmann::json()) : ability;
            const nlohmann::json label =
                ability.is_object() ? ability.value("name", nlohmann::json()) : nlohmann::json();
            for (const nlohmann::json* part : {&id, &label}) {
                if (isStructured(*part)) {
                    input.problems.add(structuredProblem(withColumn(where, "abilities"),
                                                         name + (part == &id ? " id" : " name"),
                                                         *part));
                }
            }
            record.cells[name] = jsonCellText(id);
            const std::string labelText = jsonCellText(label);
            if (!labelText.empty())
                record.cells[abilityNameCell(static_cast<int>(slot))] = labelText;
        }
        // A row whose shape is wrong is not read further: its cells would only repeat it.
        if (input.problems.total() == before) input.records.push_back(std::move(record));
    }
    return input;
}

TableInput readTable(std::string_view text) {
    if (text.size() > kTableSizeLimit) return {{}, problemOnly(tableTooLargeProblem(text.size()))};
    if (std::string problem = tableTextProblem(text); !problem.empty()) {
        return {{}, problemOnly(std::move(problem))};
    }
    // Some tools add a mark to a file that has one already.
    while (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && (text[first] == '[' || text[first] == '{')) {
        return readJsonTable(text);
    }
    if (std::string problem = notATableProblem(text.substr(first)); !problem.empty()) {
        return {{}, problemOnly(std::move(problem))};
    }
    return readCsvTable(text);
}

std::string tableTooLargeProblem(std::uint64_t sizeAtLeast) {
    return tr(
        "the file holds {size} bytes or more, far more than any table of the enemy data "
        "(those have well under {limit} MiB); it was not read as a table",
        {{"size", sizeAtLeast}, {"limit", kTableSizeLimit >> 20}});
}

}  // namespace vesk::exchange
