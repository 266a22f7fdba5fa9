#include "cli/enemy_selection.h"
#include "exchange/quoted.h"

#include <algorithm>
#include <charconv>

#include "data/enemy_block.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

bool readEnemy(std::string_view text, int& enemy) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), enemy);
    return error == std::errc() && end == text.data() + text.size() && enemy >= 0 &&
           enemy < EnemyBlock::kEnemyCount;
}

}  // namespace

EnemySelection parseEnemySelection(std::string_view text) {
    EnemySelection selection;
    auto bad = [&](std::string_view part) {
        selection.enemies.clear();
        selection.problem = tr("{text} is not an enemy number 0-199 or a range such as 100-199",
                               {{"text", exchange::quoted(part)}});
        return selection;
    };
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = text.find(',', at);
        const std::string_view part =
            text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at);
        const std::size_t dash = part.find('-');
        int first = 0, last = 0;
        if (dash == std::string_view::npos) {
            if (!readEnemy(part, first)) return bad(part);
            last = first;
        } else if (!readEnemy(part.substr(0, dash), first) ||
                   !readEnemy(part.substr(dash + 1), last) || last < first) {
            return bad(part);
        }
        for (int m = first; m <= last; ++m) selection.enemies.push_back(m);
        if (comma == std::string_view::npos) break;
        at = comma + 1;
    }
    std::sort(selection.enemies.begin(), selection.enemies.end());
    selection.enemies.erase(std::unique(selection.enemies.begin(), selection.enemies.end()),
                            selection.enemies.end());
    return selection;
}

}  // namespace vesk::cli
