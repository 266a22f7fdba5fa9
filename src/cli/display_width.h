#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk::cli {

// Columns a terminal gives the code point: 2 for East Asian wide and full-width
// characters, 0 for combining marks, 1 otherwise.
int codePointWidth(char32_t c);

// Columns the UTF-8 text takes in a terminal. A byte that does not start a well-formed
// character counts as one column.
std::size_t displayWidth(std::string_view utf8);

// `text` followed by spaces up to `width` columns.
std::string padRight(std::string_view text, std::size_t width);
// Spaces up to `width` columns, then `text`.
std::string padLeft(std::string_view text, std::size_t width);

}  // namespace vesk::cli
