#pragma once

#include <string>

namespace vesk::platform::x11 {

// Why the program cannot show a window, in a few words ("" when it can): no display
// named in the environment, or neither the named Wayland display nor the named X display
// answers.
std::string displayProblem();

// Whether WAYLAND_DISPLAY names a Wayland compositor that accepts connections.
bool waylandDisplayAnswers();

}  // namespace vesk::platform::x11
