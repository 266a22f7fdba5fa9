#pragma once

#include <array>
#include <string_view>

#include "data/enemy_block.h"

namespace vesk::exchange {

// The labels the window shows beside the editor's fields; the diff and the browser page
// name the fields with the same words.
inline constexpr std::string_view kHpFieldLabel = "HP", kKeroFieldLabel = "ケロ";
inline constexpr std::array<std::string_view, EnemyBlock::kStatCount> kStatFieldLabels = {
    "攻", "防", "早", "魔"};

}  // namespace vesk::exchange
