#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::exchange {

// One enemy's row as read from a CSV or JSON file: the cells by column name, and where
// the row stands in its file ("line 5", "entry 3") for messages.
struct TableRecord {
    std::string where;
    std::map<std::string, std::string, std::less<>> cells;
    bool json = false;  // the cells are a JSON entry's keys

    std::string_view cell(std::string_view column) const;  // "" when absent
    bool has(std::string_view column) const;
};

// Where a JSON entry's ability object keeps its "name", beside its "id" in ability(slot).
std::string abilityNameCell(int slot);

struct TableInput {
    std::vector<TableRecord> records;
    std::vector<std::string> problems;  // anything wrong with the file's shape
};

// The export formats read back: CSV with a header row (columns in any order, label
// columns optional) and the JSON array.
TableInput readCsvTable(std::string_view text);
TableInput readJsonTable(std::string_view text);
// The bytes of a table file: JSON when the first character after any byte-order mark and
// blanks opens an array or object, else CSV, whatever the file's name. Bytes that are
// not UTF-8 text are refused with a message that says what they are.
TableInput readTable(std::string_view text);

}  // namespace vesk::exchange
