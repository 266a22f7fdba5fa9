#pragma once

#include <string>

namespace vesk::platform {

// Copies the whole file `from` to `to`. Without replaceExisting an existing target
// makes the copy fail. The target appears complete or not at all and gets the
// source's permissions.
bool copyFile(const std::string& from, const std::string& to, bool replaceExisting);

// True when both paths exist and name the same file (links followed).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace vesk::platform
