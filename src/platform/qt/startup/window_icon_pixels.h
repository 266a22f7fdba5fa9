#pragma once

#include <cstdint>

namespace vesk::platform::qt {

// The window icon, square, as 0xAARRGGBB values row by row (generated at build time from
// the desktop's 64-pixel icon, resources/icons/64x64/).
extern const int kWindowIconSize;
extern const std::uint32_t kWindowIconPixels[];

}  // namespace vesk::platform::qt
