#pragma once

#include <string>

#include "platform/error.h"

namespace vesk::platform {

// Copies the whole file `from` to `to`. Without replaceExisting an existing target
// makes the copy fail. The target appears complete or not at all and gets the
// source's permissions.
// An existing target that is not a regular file, or that another program holds locked,
// is refused and left as it was.
bool copyFile(const std::string& from, const std::string& to, bool replaceExisting);
// The same, telling why it failed.
bool copyFile(const std::string& from, const std::string& to, bool replaceExisting,
              ErrorReason& reason);

// True when both paths exist and name the same file (links followed).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace vesk::platform
