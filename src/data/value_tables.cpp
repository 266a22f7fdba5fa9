// Display labels for the stored HP and ケロ indexes, and the HP index mapping.
#include "data/value_tables.h"

#include <array>

namespace vesk {
namespace {

// Not ascending and with repeats: the labels are shown as they are, never parsed.
constexpr std::array<std::string_view, kHpLabelCount> kHpLabels = {
    "20",    "40",    "60",    "82",    "103",  "126",   "150",  "175",   "202",
    "231",   "262",   "295",   "330",   "368",  "409",   "454",  "501",   "551",
    "606",   "666",   "729",   "795",   "250",  "600",   "1000", "1500",  "1500",
    "1750",  "2000",  "2500",  "2000",  "5000", "1280",  "3850", "6420",  "8990",
    "11560", "15410", "20550", "25690", "0",    "24576", "8193", "16386", "????",
};

constexpr std::array<std::string_view, kKeroLabelCount> kKeroLabels = {
    "0",    "40",   "120",  "240",  "400",  "600",  "900",  "1200",
    "1600", "2000", "2400", "4000", "4800", "5500", "6500", "9999",
};

constexpr int kLastHpPosition = kHpLabelCount - 1;  // "????"

}  // namespace

std::string_view hpLabel(int p) { return kHpLabels[static_cast<std::size_t>(p)]; }

std::string_view keroLabel(int p) { return kKeroLabels[static_cast<std::size_t>(p)]; }

int hpPosition(int stored) { return stored <= kLastHpPosition ? stored : kLastHpPosition; }

// "????" stands for every index from 44 up, so leaving the list there keeps an
// out-of-table index intact; any other choice stores its own position.
int hpStored(int stored, int p) {
    if (stored > kLastHpPosition && p == kLastHpPosition) return stored;
    return p;
}

}  // namespace vesk
