#pragma once

#include <string>

namespace vesk::platform {

// Full path of the running program, or "" when it cannot be found.
std::string ownProgramPath();

}  // namespace vesk::platform
