#pragma once

#include <string>

#include "text/catalog.h"

namespace vesk::cli {

constexpr int kSuccess = 0;
constexpr int kDataProblem = 1;    // bad input or a failed file operation; nothing written
constexpr int kUsageError = 2;     // the command line itself is wrong; nothing written
constexpr int kPartlyWritten = 3;  // a file was written, but the command did not end well
constexpr int kDiffDiffers = 1;    // diff: the images differ
constexpr int kDiffTrouble = 2;    // diff: an image cannot be read, or its report not printed

// The exit codes in the words `--help`, the README and the manual page all use (the
// tests compare them with the line breaks and blanks taken as single spaces).
inline std::string exitCodesText() {
    return text::tr(
        "Exit status: 0 success; 1 a problem with the input or a file, and nothing was\n"
        "written; 2 a usage error, and nothing was written; 3 a file was written, but the\n"
        "command could not finish: the report could not be printed, or the image could not\n"
        "be written after its backup (standard error says which files were written).\n"
        "vesk diff exits like cmp and diff: 0 no difference, 1 differences, 2 trouble.");
}

}  // namespace vesk::cli
