#pragma once

#include <optional>

namespace vesk::exchange {

// The number the HP table shows at `position` (0-44), or nothing for "????".
std::optional<int> hpValue(int position);
// The number the ケロ table shows at `position` (0-15).
int keroValue(int position);

// The table position whose shown number is nearest to `value`, never "????"; of two
// equally near, `current` when it is one of them (the HP table shows some numbers twice,
// and an edit that keeps the value should keep the byte), else the lower position.
int nearestHpPosition(long long value, int current = -1);
int nearestKeroPosition(long long value, int current = -1);

}  // namespace vesk::exchange
