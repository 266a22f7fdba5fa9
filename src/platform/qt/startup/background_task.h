#pragma once

#include <functional>
#include <thread>

namespace vesk::platform::qt {

// Work started on a second thread that the start-up would otherwise wait for later, so
// that it overlaps with the start-up's own steps. Without a thread to spare the work
// runs at once.
class BackgroundTask final {
public:
    explicit BackgroundTask(std::function<void()> work);
    ~BackgroundTask();  // waits
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    void wait();  // returns once the work is done

private:
    std::thread thread_;
};

}  // namespace vesk::platform::qt
