#pragma once

#include <ostream>
#include <string>

#include "cli/exit_codes.h"

namespace vesk::cli {

// Where a command prints and what it ends with.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    int exitCode = kSuccess;

    // Prints "vesk: message" on the error stream and records the exit code.
    void fail(const std::string& message, int code = kDataProblem) {
        err << "vesk: " << message << '\n';
        exitCode = code;
    }
};

}  // namespace vesk::cli
