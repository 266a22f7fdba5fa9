#pragma once

#include <string_view>

namespace vesk::platform {

// Finds the first top-level window carrying the window property `marker` and brings its
// last active pop-up (an open message box or chooser, else the window) to the front.
// False when no such window exists.
bool activateWindowWithProperty(std::string_view marker);

}  // namespace vesk::platform
