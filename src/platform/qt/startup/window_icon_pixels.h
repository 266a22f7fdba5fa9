#pragma once

#include <cstdint>

namespace vesk::platform::qt {

// The window icon, square, as 0xAARRGGBB values row by row (generated at build time from
// window-icon-64.png).
extern const int kWindowIconSize;
extern const std::uint32_t kWindowIconPixels[];

}  // namespace vesk::platform::qt
