#include "exchange/cell_value.h"

#include <algorithm>

#include "exchange/blank_trim.h"
#include "exchange/quoted.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using text::tr;

std::string_view trimmed(std::string_view text) { return withoutBlanks(text); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::string_view kFullWidthColon = "\xEF\xBC\x9A";  // "："

std::string_view digitRun(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) ++end;
    return text.substr(from, end - from);
}

// A number as written: "-12", "7.0", or "1e+300" and "1.5e-05" as JSON writes numbers.
struct WrittenNumber {
    bool negative = false;
    std::string digits;  // the whole part's digits, then the fraction's
    long point = 0;      // how many of the digits lie before the decimal point
    bool pointWritten = false;
    bool exponentWritten = false;
    std::size_t end = 0;  // where the number ends in the text
};

bool scanNumber(std::string_view cell, WrittenNumber& number) {
    std::size_t at = 0;
    number.negative = cell[0] == '-';
    if (number.negative || cell[0] == '+') ++at;
    const std::string_view whole = digitRun(cell, at);
    if (whole.empty()) return false;
    at += whole.size();
    number.digits = whole;
    number.point = static_cast<long>(whole.size());
    if (at + 1 < cell.size() && cell[at] == '.' && isDigit(cell[at + 1])) {
        const std::string_view fraction = digitRun(cell, at + 1);
        number.digits += fraction;
        number.pointWritten = true;
        at += 1 + fraction.size();
    }
    if (at < cell.size() && (cell[at] == 'e' || cell[at] == 'E')) {
        std::size_t from = at + 1;
        const bool down = from < cell.size() && cell[from] == '-';
        if (from < cell.size() && (down || cell[from] == '+')) ++from;
        const std::string_view exponent = digitRun(cell, from);
        if (!exponent.empty()) {
            long shift = 0;
            for (char c : exponent) shift = std::min(shift * 10 + (c - '0'), 100'000L);
            number.point += down ? -shift : shift;
            number.exponentWritten = true;
            at = from + exponent.size();
        }
    }
    number.end = at;
    return true;
}

// The whole part of the number, kept at a million or below: far past every field.
long long wholePart(const WrittenNumber& number) {
    long long value = 0;
    for (long i = 0; i < number.point && value < 1'000'000; ++i) {
        const auto at = static_cast<std::size_t>(i);
        value = value * 10 + (at < number.digits.size() ? number.digits[at] - '0' : 0);
    }
    return number.negative ? -value : value;
}

// "7.0" is written with a fraction, which a whole-number field does not take; with an
// exponent only digits past the point that are not zero make one ("1.0e2" is 100).
bool hasFraction(const WrittenNumber& number) {
    if (!number.exponentWritten) return number.pointWritten;
    const auto from = static_cast<std::size_t>(std::max(number.point, 0L));
    return from < number.digits.size() &&
           number.digits.find_first_not_of('0', from) != std::string::npos;
}

std::string notANumber(std::string_view text, int low, int high) {
    return tr("{text} is not a number; expected a whole number from {low} to {high}",
              {{"text", exchange::quoted(text)}, {"low", low}, {"high", high}});
}

// The leading number of `text` and what follows it, or a problem.
CellValue leadingNumber(std::string_view text, int low, int high, std::size_t& end) {
    const std::string_view cell = trimmed(text);
    if (cell.empty()) {
        return {0, tr("the cell is empty; expected a whole number from {low} to {high}",
                      {{"low", low}, {"high", high}})};
    }
    if (std::string problem = fullWidthDigitProblem(cell); !problem.empty()) return {0, problem};
    WrittenNumber number;
    if (!scanNumber(cell, number)) return {0, notANumber(text, low, high)};
    const long long value = wholePart(number);
    const std::string written(cell.substr(0, number.end));
    // Too large for the field says more than a fraction would, so it is checked first.
    if (value < low || value > high) {
        return {0, tr("{number} is out of range; expected a whole number from {low} to {high}",
                      {{"number", written}, {"low", low}, {"high", high}})};
    }
    if (hasFraction(number)) {
        return {0, tr("{text} has a fraction; expected a whole number from {low} to {high}",
                      {{"text", exchange::quoted(cell)}, {"low", low}, {"high", high}})};
    }
    end = static_cast<std::size_t>(cell.data() - text.data()) + number.end;
    return {static_cast<int>(value), {}};
}

}  // namespace

std::string fullWidthDigitProblem(std::string_view text) {
    for (std::size_t at = 0; at + 2 < text.size(); ++at) {
        const auto third = static_cast<unsigned char>(text[at + 2]);
        if (text.substr(at, 2) == "\xEF\xBC" && third >= 0x90 && third <= 0x99) {
            return tr(
                "{text} is written with full-width digits such as \"５\"; write the "
                "number with the digits 0-9",
                {{"text", exchange::quoted(text)}});
        }
    }
    return {};
}

CellValue readNumberCell(std::string_view text, int low, int high) {
    std::size_t end = 0;
    CellValue number = leadingNumber(text, low, high, end);
    if (!number.problem.empty()) return number;
    if (!trimmed(text.substr(end)).empty()) {
        return {0, notANumber(text, low, high)};
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
        return {0, tr("{text} has a full-width colon \"：\"; write \":\" between the number "
                      "and the name, or the number alone",
                      {{"text", exchange::quoted(trimmed(text))}})};
    }
    if (rest.starts_with(':')) rest = trimmed(rest.substr(1));
    if (rest.empty()) return number;
    const std::string expected = labelOf(number.value);
    if (rest != expected) {
        // The number decides; the name beside it is only a check.
        return {0, tr("{text} contradicts itself: {number} is {expected}, not {given}; the "
                      "number decides, so write it alone or with {expected}",
                      {{"text", exchange::quoted(trimmed(text))},
                       {"number", number.value},
                       {"expected", exchange::quoted(expected)},
                       {"given", exchange::quoted(rest)}})};
    }
    return number;
}

}  // namespace vesk::exchange
