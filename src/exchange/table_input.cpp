#include "exchange/table_input.h"
#include "exchange/quoted.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>

#include "data/enemy_block.h"
#include "data/name_tables.h"
#include "exchange/csv.h"
#include "exchange/enemy_table.h"

namespace vesk::exchange {
namespace {

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

// The line of the first byte that is not part of well-formed UTF-8, or 0 when all are.
int firstBadUtf8Line(std::string_view text) {
    int line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead == '\n') ++line;
        std::size_t length = lead < 0x80             ? 1
                             : (lead & 0xE0) == 0xC0 ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 0;
        if (length == 0 || lead == 0xC0 || lead == 0xC1 || at + length > text.size()) return line;
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return line;
        }
        at += length;
    }
    return 0;
}

}  // namespace

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
        TableRecord record{"line " + std::to_string(row.line), {}};
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
    try {
        document = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        input.problems.push_back(std::string("not valid JSON: ") + error.what());
        return input;
    }
    if (!document.is_array()) {
        input.problems.push_back("expected a JSON array of enemies");
        return input;
    }
    for (std::size_t i = 0; i < document.size(); ++i) {
        const nlohmann::json& entry = document[i];
        TableRecord record{"entry " + std::to_string(i + 1), {}};
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
            std::string cell;
            if (ability.is_object()) {
                // {"id": 63, "name": "44マグナム"} reads like the label "63 : 44マグナム",
                // so that a name contradicting the id is caught like any other label.
                cell = jsonCellText(ability.value("id", nlohmann::json()));
                const std::string name = jsonCellText(ability.value("name", nlohmann::json()));
                if (!name.empty()) cell += " : " + name;
            } else {
                cell = jsonCellText(ability);
            }
            record.cells[column::ability(static_cast<int>(slot))] = cell;
        }
        input.records.push_back(std::move(record));
    }
    return input;
}

TableInput readTable(std::string_view text) {
    if (const int line = firstBadUtf8Line(text)) {
        // Spreadsheets on Japanese Windows save plain "CSV" as Shift-JIS.
        return {{},
                {"line " + std::to_string(line) +
                 ": the file is not UTF-8 text (perhaps saved as Shift-JIS); save it as "
                 "\"CSV UTF-8\" and import again"}};
    }
    std::string_view rest = text;
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
    const auto first = rest.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && (rest[first] == '[' || rest[first] == '{')) {
        return readJsonTable(rest);
    }
    return readCsvTable(text);
}

}  // namespace vesk::exchange
