#include "platform/qt/startup/background_task.h"

#include <system_error>

namespace vesk::platform::qt {

BackgroundTask::BackgroundTask(std::function<void()> work) {
    try {
        thread_ = std::thread(work);
    } catch (const std::system_error&) {
        work();
    }
}

BackgroundTask::~BackgroundTask() { wait(); }

void BackgroundTask::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace vesk::platform::qt
