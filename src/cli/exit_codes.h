#pragma once

namespace vesk::cli {

constexpr int kSuccess = 0;
constexpr int kDataProblem = 1;  // bad input or a failed file operation; nothing written
constexpr int kUsageError = 2;   // the command line itself is wrong

}  // namespace vesk::cli
