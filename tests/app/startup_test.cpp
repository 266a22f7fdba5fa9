#include "app/startup.h"

#include <gtest/gtest.h>

#include "fake_dialog.h"
#include "layout/resource_ids.h"

namespace vesk {
namespace {
using test::FakeDialog;

class FakeStartup : public StartupPlatform {
public:
    platform::InstanceLock lock = platform::InstanceLock::Acquired;
    bool windowFound = true;
    std::string lockName, searchedMarker;
    bool dialogRan = false;
    std::optional<int> windowResult;
    std::vector<std::string> warnings;

    platform::InstanceLock acquireInstanceLock(std::string_view name) override {
        lockName = name;
        return lock;
    }
    bool activateWindowWithProperty(std::string_view marker) override {
        searchedMarker = marker;
        return windowFound;
    }
    void warn(std::string_view text) override { warnings.emplace_back(text); }
    int runMainDialog(platform::DialogEvents& events) override {
        dialogRan = true;
        FakeDialog dialog;
        dialog.create(events);
        dialog.chooseMenu(IDM_EXIT);
        windowResult = dialog.endResult();
        dialog.destroy();
        return windowResult.value_or(-1);
    }
};

TEST(Startup, FirstInstanceRunsTheWindowUntilItEnds) {
    FakeStartup host;
    EXPECT_EQ(runEditorProgram(host), 0);
    EXPECT_EQ(host.lockName, "UniqueName");
    EXPECT_TRUE(host.dialogRan);
    EXPECT_EQ(host.windowResult, 0);
    EXPECT_TRUE(host.searchedMarker.empty());
}

TEST(Startup, SecondInstanceActivatesTheRunningOneAndExitsZero) {
    for (bool found : {true, false}) {
        FakeStartup host;
        host.lock = platform::InstanceLock::AlreadyRunning;
        host.windowFound = found;
        EXPECT_EQ(runEditorProgram(host), 0);
        EXPECT_EQ(host.searchedMarker, "VeskEdit");
        EXPECT_FALSE(host.dialogRan);
    }
}

TEST(Startup, WithoutALockTheEditorRunsAnywayAndSaysSo) {
    FakeStartup host;
    host.lock = platform::InstanceLock::Failed;
    EXPECT_EQ(runEditorProgram(host), 0);
    EXPECT_TRUE(host.dialogRan);
    EXPECT_EQ(host.windowResult, 0);
    EXPECT_TRUE(host.searchedMarker.empty());
    ASSERT_EQ(host.warnings.size(), 1u);
    EXPECT_NE(host.warnings[0].find("ロック"), std::string::npos);
}

TEST(Startup, OnlyAFailedLockIsWarnedAbout) {
    for (const auto lock :
         {platform::InstanceLock::Acquired, platform::InstanceLock::AlreadyRunning}) {
        FakeStartup host;
        host.lock = lock;
        runEditorProgram(host);
        EXPECT_TRUE(host.warnings.empty());
    }
}

}  // namespace
}  // namespace vesk
