#pragma once

#include <string>

namespace vesk::platform {

// Whether this process may write the existing regular file at path. Nothing is changed.
bool canWriteFile(const std::string& path);

// Whether this process may create a file in the existing directory dir.
bool canCreateFileIn(const std::string& dir);

// Creates dir and any missing parent; true when it exists as a directory afterwards.
bool createDirectories(const std::string& dir);

}  // namespace vesk::platform
