#include "exchange/field_labels.h"

#include <array>
#include <string>

#include "data/enemy_block.h"
#include "layout/accessible_names.h"
#include "layout/resource_ids.h"

namespace vesk::exchange {
namespace {

// A control's name, worked out from the layout table once, on first use.
template <int id>
std::string_view nameOf() {
    static const std::string name = layout::accessibleName(id);
    return name;
}

}  // namespace

std::string_view hpFieldLabel() { return nameOf<IDC_HP_LIST>(); }
std::string_view keroFieldLabel() { return nameOf<IDC_KERO_LIST>(); }
std::string_view abilityFieldLabel() { return nameOf<IDC_ABILITY_LIST>(); }

std::string_view statFieldLabel(int k) {
    static const std::array<std::string_view, EnemyBlock::kStatCount> labels = {
        nameOf<IDC_STAT_ATTACK>(), nameOf<IDC_STAT_DEFENSE>(), nameOf<IDC_STAT_SPEED>(),
        nameOf<IDC_STAT_MAGIC>()};
    return labels[static_cast<std::size_t>(k)];
}

}  // namespace vesk::exchange
