#include "cli/text_table.h"

#include <algorithm>

#include "cli/display_width.h"

namespace vesk::cli {

TextTable::TextTable(std::vector<Align> alignment) : alignment_(std::move(alignment)) {}

void TextTable::addRow(std::vector<std::string> cells) {
    cells.resize(alignment_.size());
    rows_.push_back(std::move(cells));
}

std::string TextTable::render() const {
    std::vector<std::size_t> widths(alignment_.size(), 0);
    for (const auto& row : rows_) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    std::string text;
    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) line += "  ";
            const bool last = i + 1 == row.size();
            if (alignment_[i] == Align::Right) {
                line += padLeft(row[i], widths[i]);
            } else {
                line += last ? row[i] : padRight(row[i], widths[i]);
            }
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text;
}

}  // namespace vesk::cli
