// Start-up work handed to a second thread is done, on that thread, once it is waited for
// or its task goes out of scope.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/qt/startup/background_task.h"

namespace vesk::platform::qt {
namespace {

TEST(BackgroundTaskTest, WorkRunsOnAnotherThreadAndIsDoneAfterWait) {
    std::atomic<bool> done = false;
    std::thread::id worker;
    BackgroundTask task([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        worker = std::this_thread::get_id();
        done = true;
    });
    task.wait();
    EXPECT_TRUE(done);
    EXPECT_NE(worker, std::this_thread::get_id());
    task.wait();  // a second wait returns at once
}

TEST(BackgroundTaskTest, GoingOutOfScopeWaitsForTheWork) {
    std::atomic<bool> done = false;
    {
        const BackgroundTask task([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            done = true;
        });
    }
    EXPECT_TRUE(done);
}

}  // namespace
}  // namespace vesk::platform::qt
