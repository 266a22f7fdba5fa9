#include "platform/single_instance.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace vesk::platform {

InstanceLock acquireInstanceLock(std::string_view name) {
    // Owned from creation; the handle is kept open on purpose until the process ends,
    // which is what releases the mutex.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, win32::toWide(name).c_str());
    if (mutex == nullptr) return InstanceLock::Failed;
    return GetLastError() == ERROR_ALREADY_EXISTS ? InstanceLock::AlreadyRunning
                                                  : InstanceLock::Acquired;
}

}  // namespace vesk::platform
