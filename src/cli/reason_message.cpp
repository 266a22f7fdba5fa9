#include "cli/reason_message.h"

namespace vesk::cli {

std::string messageWithReason(std::string message, const platform::ErrorReason& reason) {
    const std::string why = platform::reasonText(reason);
    if (!why.empty()) message += ": " + why;
    return message;
}

}  // namespace vesk::cli
