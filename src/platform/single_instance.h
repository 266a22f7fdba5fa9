#pragma once

#include <string_view>

namespace vesk::platform {

enum class InstanceLock { Acquired, AlreadyRunning, Failed };

// Claims the system-wide single-instance object `name`; once acquired it is held until
// the process ends.
InstanceLock acquireInstanceLock(std::string_view name);

}  // namespace vesk::platform
