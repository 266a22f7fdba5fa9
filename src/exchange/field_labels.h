#pragma once

#include <string_view>

namespace vesk::exchange {

// The labels the window shows beside the editor's fields, taken from its layout table;
// the diff, `vesk show` and the browser page name the fields with the same words.
std::string_view hpFieldLabel();
std::string_view keroFieldLabel();
std::string_view statFieldLabel(int k);  // 攻, 防, 早, 魔 for k = 0..3
std::string_view abilityFieldLabel();    // the ability list's group

}  // namespace vesk::exchange
