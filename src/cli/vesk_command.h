#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace vesk::cli {

// Runs `vesk` with the arguments after the program name (UTF-8) and returns the exit
// code: 0 success, 1 a data problem with nothing written, 2 a usage error.
// An input file named "-" is read from `in`.
int runVesk(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
            std::ostream& err);
// The same without standard input: an input named "-" cannot be read.
int runVesk(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vesk::cli
