#pragma once

#include "platform/error.h"

namespace vesk::platform::posix {

// The reason for errno value `code`, with the system's text for it.
ErrorReason reasonFromErrno(int code);

}  // namespace vesk::platform::posix
