#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk::cli {

struct EnemySelection {
    std::vector<int> enemies;  // ascending, each once
    std::string problem;       // empty when the text was understood
};

// "5", "3,7", "100-199", or a mix of them ("0-9,37"), each enemy number 0-199.
EnemySelection parseEnemySelection(std::string_view text);

}  // namespace vesk::cli
