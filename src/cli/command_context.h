#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/exit_codes.h"

namespace vesk::cli {

// Where a command reads and prints, and what it ends with. Every line that may echo a
// user's text (a path, a cell) is printed through say, note or fail, which write out
// control characters.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    std::istream* in = nullptr;  // standard input, for an input named "-"
    int exitCode = kSuccess;
    std::vector<std::string> written;  // the files written so far, in order

    // Prints "vesk: message" on the error stream and records the exit code; once a file
    // has been written the code says so, whatever `code` is.
    void fail(const std::string& message, int code = kDataProblem);
    // A line of the report on standard output.
    void say(const std::string& line);
    // A line on the error stream that is no failure (a note on how a request was fitted).
    void note(const std::string& line);
    void note(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) note(line);
    }
    void wrote(const std::string& path) { written.push_back(path); }
};

}  // namespace vesk::cli
