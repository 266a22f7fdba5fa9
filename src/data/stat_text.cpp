#include "data/stat_text.h"

#include <algorithm>

#include "data/enemy_block.h"

namespace vesk {
namespace {

constexpr int kSaturation = 1'000'000;  // far above any stat, far below int overflow

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int parseStatText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        value = std::min(kSaturation, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

int clampedStatValue(std::string_view text) {
    return std::clamp(parseStatText(text), 0, EnemyBlock::kStatMax);
}

bool isStatFieldCharacter(char32_t c) { return c >= U'0' && c <= U'9'; }

StatFieldText statFieldAfterEdit(std::string_view text) {
    if (text.empty()) return {"0", true};
    return {std::to_string(clampedStatValue(text)), false};
}

}  // namespace vesk
