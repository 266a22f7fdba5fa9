#pragma once

#include <string>

namespace vesk::platform {

// The folder where programs keep the user's settings: $XDG_CONFIG_HOME, else ~/.config,
// on Linux; %APPDATA% on Windows. "" when it cannot be told.
std::string userConfigDir();

}  // namespace vesk::platform
