#include "exchange/table_input.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

#include "data/enemy_block.h"
#include "data/name_tables.h"
#include "exchange/cell_value.h"
#include "exchange/csv.h"
#include "exchange/enemy_table.h"
#include "exchange/quoted.h"
#include "exchange/text_encoding.h"

namespace vesk::exchange {
namespace {

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
                          const std::string& where, std::vector<std::string>& problems) {
    for (auto name : requiredColumns()) {
        if (!present.contains(name)) {
            problems.push_back(where + "the column \"" + std::string(name) + "\" is missing");
        }
    }
}

std::string jsonCellText(const nlohmann::json& value) {
    if (value.is_null()) return {};
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number_integer() || value.is_number_unsigned()) return value.dump();
    if (value.is_number_float()) {
        // 12.0 is the number 12; anything with a fraction stays text and fails later.
        const double number = value.get<double>();
        if (number == static_cast<double>(static_cast<long long>(number))) {
            return std::to_string(static_cast<long long>(number));
        }
    }
    return value.dump();
}

// A key given twice in one object of a JSON table; the parser keeps only one of them.
struct DuplicateKey {
    std::size_t entry;  // the top-level array's element it is in
    bool inAbility;     // in an object of "abilities" rather than the entry itself
    std::string key;
};

// Parses a JSON table, noting every key an object repeats.
nlohmann::json parseJson(std::string_view text, std::vector<DuplicateKey>& duplicates) {
    using Event = nlohmann::json::parse_event_t;
    std::vector<std::set<std::string>> objects;  // keys seen, per open object
    std::size_t depth = 0;                       // open arrays and objects
    std::size_t entries = 0;
    auto noteEntry = [&] {
        if (depth == 1) ++entries;
    };
    return nlohmann::json::parse(text, [&](int, Event event, nlohmann::json& parsed) {
        switch (event) {
            case Event::object_start:
                noteEntry();
                objects.emplace_back();
                ++depth;
                break;
            case Event::array_start:
                noteEntry();
                ++depth;
                break;
            case Event::object_end:
                if (!objects.empty()) objects.pop_back();
                --depth;
                break;
            case Event::array_end:
                --depth;
                break;
            case Event::value:
                noteEntry();
                break;
            case Event::key:
                if (!objects.empty() && !objects.back().insert(parsed.get<std::string>()).second &&
                    entries > 0) {
                    duplicates.push_back({entries - 1, depth > 2, parsed.get<std::string>()});
                }
                break;
        }
        return true;
    });
}

// " (enemy 005)" when the entry names an enemy, for messages.
std::string entryEnemy(const nlohmann::json& entry) {
    if (!entry.is_object() || !entry.contains(column::kEnemy)) return {};
    const CellValue enemy = readNumberCell(jsonCellText(entry.at(std::string(column::kEnemy))), 0,
                                           EnemyBlock::kEnemyCount - 1);
    if (!enemy.problem.empty()) return {};
    char text[16];
    std::snprintf(text, sizeof text, " (enemy %03d)", enemy.value);
    return text;
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
        input.problems.push_back(csv.problem);
        return input;
    }
    if (csv.rows.empty()) {
        input.problems.push_back("the file is empty; expected a header row");
        return input;
    }
    const CsvRow& header = csv.rows.front();
    std::set<std::string, std::less<>> present;
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string& name = header.cells[i];
        const std::string where = "header, column " + std::to_string(i + 1) + ": ";
        if (!isKnownColumn(name)) {
            input.problems.push_back(where + "unknown column " + exchange::quoted(name));
        } else if (!present.insert(name).second) {
            input.problems.push_back(where + "the column \"" + name + "\" appears twice");
        }
    }
    checkRequiredColumns(present, "header: ", input.problems);
    if (!input.problems.empty()) return input;

    for (std::size_t r = 1; r < csv.rows.size(); ++r) {
        const CsvRow& row = csv.rows[r];
        TableRecord record{"line " + std::to_string(row.line), {}, false};
        if (row.cells.size() > header.cells.size()) {
            input.problems.push_back(record.where + ": " + std::to_string(row.cells.size()) +
                                     " cells but the header has " +
                                     std::to_string(header.cells.size()) + " columns");
            continue;
        }
        // Spreadsheets may drop empty cells at a row's end: those read as empty.
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            record.cells[header.cells[i]] = row.cells[i];
        }
        for (std::size_t i = row.cells.size(); i < header.cells.size(); ++i) {
            record.cells[header.cells[i]] = "";
        }
        input.records.push_back(std::move(record));
    }
    return input;
}

TableInput readJsonTable(std::string_view text) {
    TableInput input;
    nlohmann::json document;
    std::vector<DuplicateKey> duplicates;
    try {
        document = parseJson(text, duplicates);
    } catch (const nlohmann::json::parse_error& error) {
        input.problems.push_back("not valid JSON: " + withVisibleByteOrderMarks(error.what()));
        return input;
    }
    if (!document.is_array()) {
        input.problems.push_back("expected a JSON array of enemies");
        return input;
    }
    for (const DuplicateKey& duplicate : duplicates) {
        input.problems.push_back(
            "entry " + std::to_string(duplicate.entry + 1) + entryEnemy(document[duplicate.entry]) +
            (duplicate.inAbility ? ", abilities" : "") + ": the key " +
            exchange::quoted(duplicate.key) + " appears twice; keep one of them");
    }
    for (std::size_t i = 0; i < document.size(); ++i) {
        const nlohmann::json& entry = document[i];
        TableRecord record{"entry " + std::to_string(i + 1), {}, true};
        const std::string where = record.where + ": ";
        if (!entry.is_object()) {
            input.problems.push_back(where + "expected an object");
            continue;
        }
        std::set<std::string, std::less<>> present;
        for (const auto& [key, value] : entry.items()) {
            if (key == "abilities") continue;
            if (!isKnownColumn(key) ||
                (key.starts_with("ability") && key != column::kAbilityCount)) {
                input.problems.push_back(where + "unknown key " + exchange::quoted(key));
                continue;
            }
            present.insert(key);
            record.cells[key] = jsonCellText(value);
        }
        checkRequiredColumns(present, where, input.problems);
        const auto abilities = entry.find("abilities");
        if (abilities == entry.end()) {
            input.problems.push_back(where + "the key \"abilities\" is missing");
            continue;
        }
        if (!abilities->is_array()) {
            input.problems.push_back(where + "\"abilities\" must be an array");
            continue;
        }
        if (abilities->size() > static_cast<std::size_t>(EnemyBlock::kMaxAbilities)) {
            input.problems.push_back(where + "\"abilities\" holds " +
                                     std::to_string(abilities->size()) +
                                     " entries; an enemy has at most 8");
            continue;
        }
        for (std::size_t slot = 0; slot < abilities->size(); ++slot) {
            const nlohmann::json& ability = (*abilities)[slot];
            if (ability.is_object()) {
                record.cells[column::ability(static_cast<int>(slot))] =
                    jsonCellText(ability.value("id", nlohmann::json()));
                const std::string name = jsonCellText(ability.value("name", nlohmann::json()));
                if (!name.empty()) record.cells[abilityNameCell(static_cast<int>(slot))] = name;
            } else {
                record.cells[column::ability(static_cast<int>(slot))] = jsonCellText(ability);
            }
        }
        input.records.push_back(std::move(record));
    }
    return input;
}

TableInput readTable(std::string_view text) {
    if (std::string problem = tableTextProblem(text); !problem.empty()) return {{}, {problem}};
    // Some tools add a mark to a file that has one already.
    while (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && (text[first] == '[' || text[first] == '{')) {
        return readJsonTable(text);
    }
    return readCsvTable(text);
}

}  // namespace vesk::exchange
