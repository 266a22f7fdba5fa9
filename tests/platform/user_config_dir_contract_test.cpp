// What every realisation of platform/user_config_dir.h promises, on each platform that
// has one: the folder the system names for the user's settings, taken from the
// environment as it is when asked.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/user_config_dir.h"
#include "scoped_variable.h"
#include "test_files.h"
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace vesk::platform {
namespace {

using test::ScopedVariable;

TEST(UserConfigDirContract, IsAnAbsolutePath) {
    const std::string dir = userConfigDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(test::pathFromUtf8(dir).is_absolute()) << dir;
}

#ifndef _WIN32
TEST(UserConfigDirContract, FollowsXdgConfigHome) {
    const ScopedVariable xdg("XDG_CONFIG_HOME", "/srv/設定");
    EXPECT_EQ(userConfigDir(), "/srv/設定");
}

// A relative or empty XDG_CONFIG_HOME counts as none.
TEST(UserConfigDirContract, FallsBackToDotConfigInTheHomeFolder) {
    const ScopedVariable home("HOME", "/home/someone");
    for (const char* xdg : {"relative/cfg", ""}) {
        const ScopedVariable ignored("XDG_CONFIG_HOME", xdg);
        EXPECT_EQ(userConfigDir(), "/home/someone/.config") << "XDG_CONFIG_HOME=" << xdg;
    }
    const ScopedVariable unset("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(userConfigDir(), "/home/someone/.config");
}

// Without a usable HOME the home folder comes from the user database.
TEST(UserConfigDirContract, FindsTheHomeFolderWithoutHome) {
    const passwd* user = ::getpwuid(::getuid());
    if (!user || !user->pw_dir || user->pw_dir[0] != '/') {
        GTEST_SKIP() << "this user has no home folder";
    }
    const std::string expected = std::string(user->pw_dir) + "/.config";
    const ScopedVariable xdg("XDG_CONFIG_HOME", std::nullopt);
    for (const std::optional<std::string>& value :
         {std::optional<std::string>(), std::optional<std::string>("relative")}) {
        const ScopedVariable home("HOME", value);
        EXPECT_EQ(userConfigDir(), expected) << "HOME=" << value.value_or("(unset)");
    }
}
#else
TEST(UserConfigDirContract, IsAppData) {
    const ScopedVariable appData("APPDATA", "C:\\Users\\表\\AppData\\Roaming");
    EXPECT_EQ(userConfigDir(), "C:\\Users\\表\\AppData\\Roaming");
}

// A program started with a cleared environment still finds the folder through the shell.
TEST(UserConfigDirContract, FindsAppDataWithoutTheVariable) {
    const ScopedVariable appData("APPDATA", std::nullopt);
    const std::string dir = userConfigDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(std::filesystem::is_directory(test::pathFromUtf8(dir))) << dir;
}
#endif

}  // namespace
}  // namespace vesk::platform
