#include "exchange/csv.h"

#include <algorithm>

#include "exchange/blank_trim.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool needsQuotes(std::string_view cell) {
    return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

// A row of nothing but separators and blanks, as spreadsheets leave below a table, reads
// as a blank line.
bool isBlank(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& cell) { return withoutBlanks(cell).empty(); });
}

}  // namespace

std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        if (!needsQuotes(cells[i])) {
            line += cells[i];
            continue;
        }
        line += '"';
        for (char c : cells[i]) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    line += "\r\n";
    return line;
}

CsvParse parseCsv(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    CsvParse result;
    CsvRow row{1, {std::string()}};
    int line = 1;
    bool quoted = false;
    bool afterQuote = false;  // a quoted cell has ended; only a comma or line end may follow
    auto endRow = [&] {
        if (!isBlank(row.cells)) result.rows.push_back(std::move(row));
        row = CsvRow{line, {std::string()}};
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                row.cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                afterQuote = true;
            } else {
                if (c == '\n') ++line;
                row.cells.back() += c;
            }
            continue;
        }
        if (c == ',') {
            row.cells.emplace_back();
            afterQuote = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            afterQuote = false;
            endRow();
        } else if (afterQuote) {
            result.problem =
                text::tr("line {line}: text after the closing quote of a cell", {{"line", line}});
            return result;
        } else if (c == '"' && row.cells.back().empty()) {
            quoted = true;
        } else {
            row.cells.back() += c;
        }
    }
    if (quoted) {
        result.problem =
            text::tr("line {line}: a quoted cell is never closed", {{"line", row.line}});
        return result;
    }
    endRow();
    return result;
}

}  // namespace vesk::exchange
