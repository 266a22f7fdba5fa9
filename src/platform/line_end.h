#pragma once

#include <string_view>

namespace vesk::platform {

// The line end the system's own programs give a text file they make: "\n" on POSIX,
// "\r\n" on Windows.
std::string_view newTextFileLineEnd();

}  // namespace vesk::platform
