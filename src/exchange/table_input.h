#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/problem_list.h"

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
    ProblemList problems;  // anything wrong with the file's shape
};

// No table of the enemy data comes near this size; a larger input is refused unread.
inline constexpr std::size_t kTableSizeLimit = std::size_t{4} << 20;

// The message for an input of at least `sizeAtLeast` bytes, past kTableSizeLimit.
std::string tableTooLargeProblem(std::uint64_t sizeAtLeast);

// The export formats read back: CSV with a header row (columns in any order, label
// columns optional) and the JSON array.
TableInput readCsvTable(std::string_view text);
TableInput readJsonTable(std::string_view text);
// The bytes of a table file: JSON when the first character after any byte-order mark and
// blanks opens an array or object, else CSV, whatever the file's name. Bytes that are
// not UTF-8 text, other JSON and a text past kTableSizeLimit are refused with a message
// that says what they are. Headers and cells are read without the blanks around them.
TableInput readTable(std::string_view text);

}  // namespace vesk::exchange
