#pragma once

#include <string>

namespace vesk::platform::x11 {

// Why the program cannot show a window, in a few words ("" when it can): no display
// named in the environment, or the named X display does not answer where no Wayland
// display is named.
std::string displayProblem();

}  // namespace vesk::platform::x11
