#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::exchange {

// A key given twice in one object of a JSON table; the parser keeps only one of them.
struct DuplicateKey {
    std::size_t entry;  // the top-level array's element it is in
    bool inAbility;     // in an object of "abilities" rather than the entry itself
    std::string key;
};

struct JsonTableParse {
    nlohmann::json document;  // null when `problem` is set
    std::vector<DuplicateKey> duplicates;
    std::string problem;  // why the text cannot be read, and where
};

// A table nests four deep (the array, an entry, its abilities, an ability); anything
// nested deeper than this is refused as it is read, so no deep value is ever built.
inline constexpr std::size_t kJsonDepthLimit = 16;

// Parses the text of a JSON table, noting every key an object repeats. Broken JSON, a
// number no double holds (1e400) and nesting past kJsonDepthLimit end the parse with a
// problem that names the line and column, or the entry and key.
JsonTableParse parseJsonTable(std::string_view text);

}  // namespace vesk::exchange
