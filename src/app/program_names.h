#pragma once

#include <string_view>

namespace vesk {

// The single-instance object a running editor holds, and the window property a second
// start looks for to bring that editor to the front.
constexpr std::string_view kInstanceName = "UniqueName";
constexpr std::string_view kWindowProperty = "VeskEdit";

}  // namespace vesk
