#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vesk::exchange {

// A number read from a table cell, or why it cannot be read.
struct CellValue {
    int value = 0;
    std::string problem;  // empty when `value` holds the cell's number
};

// A message for a number written with full-width digits ("５"), as Japanese input methods
// type them; "" when `text` holds none.
std::string fullWidthDigitProblem(std::string_view text);

// A whole number from `low` to `high`. A number too large or too small for the range is
// out of range even when written with a fraction or an exponent ("1e+300").
CellValue readNumberCell(std::string_view text, int low, int high);

// A number, or a label that starts with the number ("063 : 44マグナム", "63 44マグナム").
// The text after the number must be the label `labelOf` gives for it, so that a label
// edited without its number is never silently ignored. A fraction ("5.5") and a
// full-width colon ("5：name") are reported as what they are.
CellValue readLabelledCell(std::string_view text, int low, int high,
                           const std::function<std::string(int)>& labelOf);

}  // namespace vesk::exchange
