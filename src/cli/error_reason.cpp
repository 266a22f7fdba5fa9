#include "cli/error_reason.h"

#include <cerrno>
#include <cstring>

namespace vesk::cli {

void clearErrorReason() { errno = 0; }

std::string errorReason() {
    const int error = errno;
    if (error == 0) return {};
    return std::string(" (") + std::strerror(error) + ")";
}

}  // namespace vesk::cli
