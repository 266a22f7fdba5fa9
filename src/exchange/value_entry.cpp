#include "exchange/value_entry.h"

#include <charconv>
#include <string_view>

#include "data/value_tables.h"

namespace vesk::exchange {
namespace {

std::optional<int> labelNumber(std::string_view label) {
    int value = 0;
    const char* end = label.data() + label.size();
    const auto [stop, error] = std::from_chars(label.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

template <typename ValueOf>
int nearestPosition(long long wanted, int count, int current, ValueOf valueOf) {
    int best = -1;
    long long bestDistance = 0;
    for (int p = 0; p < count; ++p) {
        const std::optional<int> value = valueOf(p);
        if (!value) continue;
        const long long distance = wanted > *value ? wanted - *value : *value - wanted;
        if (best < 0 || distance < bestDistance || (distance == bestDistance && p == current)) {
            best = p;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

std::optional<int> hpValue(int position) { return labelNumber(hpLabel(position)); }

int keroValue(int position) { return labelNumber(keroLabel(position)).value_or(0); }

int nearestHpPosition(long long value, int current) {
    return nearestPosition(value, kHpLabelCount, current, hpValue);
}

int nearestKeroPosition(long long value, int current) {
    return nearestPosition(value, kKeroLabelCount, current,
                           [](int p) { return std::optional<int>(keroValue(p)); });
}

}  // namespace vesk::exchange
