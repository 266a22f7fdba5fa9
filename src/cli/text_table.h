#pragma once

#include <string>
#include <vector>

namespace vesk::cli {

// A table for a terminal: every column as wide as its widest cell in display columns,
// so that full-width Japanese text lines up. The last column is not padded.
class TextTable {
public:
    enum class Align { Left, Right };

    explicit TextTable(std::vector<Align> alignment);
    void addRow(std::vector<std::string> cells);
    std::string render() const;

private:
    std::vector<Align> alignment_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace vesk::cli
