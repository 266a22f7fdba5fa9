#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk::exchange {

// One row of a CSV file and the line it begins on (1-based), for messages.
struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;
};

struct CsvParse {
    std::vector<CsvRow> rows;
    std::string problem;  // empty when the text is well-formed
};

// Cells joined with commas, quoted only when they hold a comma, a quote or a line break
// (quotes inside doubled), ended with CRLF.
std::string csvLine(const std::vector<std::string>& cells);

// Reads CSV with or without a UTF-8 byte-order mark, with CRLF or LF line ends; blank
// lines, and rows of only separators and blanks, are skipped.
CsvParse parseCsv(std::string_view text);

}  // namespace vesk::exchange
