#pragma once

#include <string>

namespace vesk::cli {

// Clears the system's last error, so that errorReason() tells only about what follows.
void clearErrorReason();
// Why the last file operation failed, as the system put it ("Permission denied"), in
// parentheses after a space; "" when the system gave no reason.
std::string errorReason();

}  // namespace vesk::cli
