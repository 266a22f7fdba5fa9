// What every realisation of platform/single_instance.h promises, on each platform that
// has one.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/single_instance.h"
#include "test_files.h"

namespace vesk::platform {
namespace {
using test::TempDir;

// A name no other run of the tests uses.
std::string uniqueName(const char* what) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::string("VeskEditContract-") + what + "-" + std::to_string(now);
}

class SingleInstanceContract : public ::testing::Test {
protected:
#ifndef _WIN32
    // The lock files go into a folder of the test's own instead of the user's.
    void SetUp() override {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) saved_ = old;
        ::setenv("XDG_RUNTIME_DIR", dir_.path("").c_str(), 1);
    }
    void TearDown() override {
        if (saved_.empty()) {
            ::unsetenv("XDG_RUNTIME_DIR");
        } else {
            ::setenv("XDG_RUNTIME_DIR", saved_.c_str(), 1);
        }
    }

private:
    TempDir dir_;
    std::string saved_;
#endif
};

TEST_F(SingleInstanceContract, AHeldNameIsFoundRunningAndOtherNamesAreFree) {
    const std::string name = uniqueName("held");
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::AlreadyRunning);
    EXPECT_EQ(acquireInstanceLock(name + "-other"), InstanceLock::Acquired);
}

}  // namespace
}  // namespace vesk::platform
