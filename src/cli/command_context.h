#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "cli/exit_codes.h"

namespace vesk::cli {

// Where a command reads and prints, and what it ends with.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    std::istream* in = nullptr;  // standard input, for an input named "-"
    int exitCode = kSuccess;

    // Prints "vesk: message" on the error stream and records the exit code.
    void fail(const std::string& message, int code = kDataProblem) {
        err << "vesk: " << message << '\n';
        exitCode = code;
    }
};

}  // namespace vesk::cli
