#pragma once

#include <string_view>

namespace vesk {

constexpr int kHpLabelCount = 45, kKeroLabelCount = 16;

std::string_view hpLabel(int p);    // p in 0..44
std::string_view keroLabel(int p);  // p in 0..15

// HP list position shown for a stored HP index: indexes past the table show "????".
int hpPosition(int stored);
// HP index to store when the list shows position p for a record currently holding `stored`.
int hpStored(int stored, int p);

}  // namespace vesk
