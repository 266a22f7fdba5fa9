#pragma once

#include <string>
#include <string_view>

#include "data/enemy_block.h"

namespace vesk {

constexpr int kAbilityIdCount = 256;

std::string_view enemyName(int m);     // m in 0..199
std::string_view abilityName(int id);  // id in 0..255

// "%03d : %s". The fixed-width number makes text order equal number order, which the
// window's sorted lists rely on.
std::string listLabel(int n, std::string_view name);
std::string enemyLabel(int m);
std::string abilityLabel(int id);

}  // namespace vesk
