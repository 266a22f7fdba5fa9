#pragma once

#include <windows.h>

#include "platform/error.h"

namespace vesk::platform::win32 {

// The reason for GetLastError value `code`, with the system's text for it.
ErrorReason reasonFromError(DWORD code);
// The same for the calling thread's GetLastError().
ErrorReason lastErrorReason();

}  // namespace vesk::platform::win32
