#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "cli/file_access.h"

namespace vesk::cli {

// The name that reads standard input where a command takes an input file.
inline constexpr const char* kStandardInput = "-";

// The whole of an input named on the command line: a file, a pipe or FIFO (<(...)), or
// standard input for "-" (nothing when `in` is null); never more than `maxBytes`.
FileContent readInput(const std::string& path, std::istream* in, std::size_t maxBytes = SIZE_MAX);

// How messages name the input: the path, or "standard input".
std::string inputName(const std::string& path);

}  // namespace vesk::cli
