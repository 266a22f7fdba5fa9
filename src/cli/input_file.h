#pragma once

#include <istream>
#include <string>

#include "cli/file_access.h"

namespace vesk::cli {

// The name that reads standard input where a command takes an input file.
inline constexpr const char* kStandardInput = "-";

// The whole of an input named on the command line: a file, or standard input for "-"
// (nothing when `in` is null).
FileContent readInput(const std::string& path, std::istream* in);

// How messages name the input: the path, or "standard input".
std::string inputName(const std::string& path);

}  // namespace vesk::cli
