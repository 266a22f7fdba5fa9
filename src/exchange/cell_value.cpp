#include "exchange/cell_value.h"
#include "exchange/quoted.h"

namespace vesk::exchange {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::string_view kFullWidthColon = "\xEF\xBC\x9A";  // "："

std::string rangeText(int low, int high) {
    return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

// The leading number of `text` and what follows it, or a problem.
CellValue leadingNumber(std::string_view text, int low, int high, std::size_t& end) {
    const std::string_view cell = trimmed(text);
    if (cell.empty()) return {0, "the cell is empty; expected " + rangeText(low, high)};
    std::size_t at = 0;
    const bool negative = cell[0] == '-';
    if (negative || cell[0] == '+') ++at;
    const std::size_t digits = at;
    long long value = 0;
    while (at < cell.size() && isDigit(cell[at])) {
        if (value < 1'000'000) value = value * 10 + (cell[at] - '0');
        ++at;
    }
    if (at == digits) {
        return {0, exchange::quoted(text) + " is not a number; expected " + rangeText(low, high)};
    }
    if (negative) value = -value;
    if (at + 1 < cell.size() && cell[at] == '.' && isDigit(cell[at + 1])) {
        return {0, exchange::quoted(cell) + " has a fraction; expected " + rangeText(low, high)};
    }
    if (value < low || value > high) {
        return {0, std::string(cell.substr(0, at)) + " is out of range; expected " +
                       rangeText(low, high)};
    }
    end = static_cast<std::size_t>(cell.data() - text.data()) + at;
    return {static_cast<int>(value), {}};
}

}  // namespace

CellValue readNumberCell(std::string_view text, int low, int high) {
    std::size_t end = 0;
    CellValue number = leadingNumber(text, low, high, end);
    if (!number.problem.empty()) return number;
    if (!trimmed(text.substr(end)).empty()) {
        return {0, exchange::quoted(text) + " is not a number; expected " + rangeText(low, high)};
    }
    return number;
}

CellValue readLabelledCell(std::string_view text, int low, int high,
                           const std::function<std::string(int)>& labelOf) {
    std::size_t end = 0;
    CellValue number = leadingNumber(text, low, high, end);
    if (!number.problem.empty()) return number;
    std::string_view rest = trimmed(text.substr(end));
    if (rest.starts_with(kFullWidthColon)) {
        return {0, exchange::quoted(trimmed(text)) +
                       " has a full-width colon \"：\"; write \":\" between the number and the "
                       "name, or the number alone"};
    }
    if (rest.starts_with(':')) rest = trimmed(rest.substr(1));
    if (rest.empty()) return number;
    const std::string expected = labelOf(number.value);
    if (rest != expected) {
        // The number decides; the name beside it is only a check.
        return {0, exchange::quoted(trimmed(text)) +
                       " contradicts itself: " + std::to_string(number.value) + " is " +
                       exchange::quoted(expected) + ", not " + exchange::quoted(rest) +
                       "; the number decides, so write it alone or with " +
                       exchange::quoted(expected)};
    }
    return number;
}

}  // namespace vesk::exchange
