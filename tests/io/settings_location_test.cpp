// Where data.ini lives: beside the program whenever it can be kept there, else in the
// user's configuration folder; and the platform questions that choice asks.
#include "io/settings_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "io/settings_file.h"
#include "platform/user_config_dir.h"
#include "platform/write_access.h"
#include "test_files.h"

namespace vesk {
namespace {

using test::TempDir;

// A file system where only the files and folders listed can be written.
struct FakeAccess {
    std::set<std::string> writableFiles;
    std::set<std::string> writableDirs;
    WriteAccessProbe probe() const {
        return {[this](const std::string& f) { return writableFiles.count(f) > 0; },
                [this](const std::string& d) { return writableDirs.count(d) > 0; }};
    }
};

constexpr char kId[] = "io.example.Editor";

TEST(SettingsLocationTest, StaysBesideTheProgramWhileTheFileOrTheFolderCanBeWritten) {
    FakeAccess access;
    access.writableDirs = {"/opt/vesk/"};
    SettingsLocation place =
        chooseSettingsLocation("/opt/vesk/vesk-edit", "/home/u/.config", kId, access.probe());
    EXPECT_EQ(place.path, "/opt/vesk/data.ini");
    EXPECT_FALSE(place.inUserConfigDir);

    // A writable data.ini in a folder that is not: still beside the program.
    access.writableDirs.clear();
    access.writableFiles = {"/opt/vesk/data.ini"};
    place = chooseSettingsLocation("/opt/vesk/vesk-edit", "/home/u/.config", kId, access.probe());
    EXPECT_EQ(place.path, "/opt/vesk/data.ini");
}

TEST(SettingsLocationTest, MovesToTheUsersConfigFolderWhenNeitherCanBeWritten) {
    const FakeAccess nothing;
    const SettingsLocation linux =
        chooseSettingsLocation("/usr/bin/vesk-edit", "/home/u/.config", kId, nothing.probe());
    EXPECT_EQ(linux.path, "/home/u/.config/io.example.Editor/data.ini");
    EXPECT_TRUE(linux.inUserConfigDir);

    const SettingsLocation windows =
        chooseSettingsLocation("C:\\Program Files\\Vesk\\vesk-edit.exe",
                               "C:\\Users\\表\\AppData\\Roaming\\", kId, nothing.probe());
    EXPECT_EQ(windows.path, "C:\\Users\\表\\AppData\\Roaming\\io.example.Editor\\data.ini");
}

TEST(SettingsLocationTest, UnknownPlaces) {
    const FakeAccess nothing;
    EXPECT_EQ(chooseSettingsLocation("", "/home/u/.config", kId, nothing.probe()).path, "");
    // Without a configuration folder the file stays where it always was; writing it
    // fails as before rather than going somewhere unexpected.
    const SettingsLocation place =
        chooseSettingsLocation("/usr/bin/vesk-edit", "", kId, nothing.probe());
    EXPECT_EQ(place.path, "/usr/bin/data.ini");
    EXPECT_FALSE(place.inUserConfigDir);
}

#ifdef _WIN32
constexpr char kUnwritableDir[] = "Z:\\proc\\";
#else
constexpr char kUnwritableDir[] = "/proc/";
#endif

TEST(WriteAccessTest, TellsWhatCanBeWrittenAndChangesNothing) {
    TempDir dir;
    const std::string file = dir.path("表ソ能.ini");
    test::writeText(file, "x");
    EXPECT_TRUE(platform::canWriteFile(file));
    EXPECT_FALSE(platform::canWriteFile(dir.path("missing.ini")));
    EXPECT_FALSE(platform::canWriteFile(test::utf8FromPath(dir.root())));
    EXPECT_TRUE(platform::canCreateFileIn(test::utf8FromPath(dir.root())));
    EXPECT_FALSE(platform::canCreateFileIn(dir.path("missing")));
    EXPECT_FALSE(platform::canCreateFileIn(kUnwritableDir));
    EXPECT_EQ(test::snapshot(dir.root()).size(), 1u) << "the probes leave no file behind";
    EXPECT_EQ(test::readText(file), "x");
}

TEST(WriteAccessTest, CreatesMissingFoldersButNotThroughAFile) {
    TempDir dir;
    EXPECT_TRUE(platform::createDirectories(dir.path("a/表/c")));
    EXPECT_TRUE(platform::createDirectories(dir.path("a/表/c")));
    EXPECT_TRUE(platform::canCreateFileIn(dir.path("a/表/c")));
    test::writeText(dir.path("file"), "x");
    EXPECT_FALSE(platform::createDirectories(dir.path("file/sub")));
    EXPECT_FALSE(platform::createDirectories(""));
}

// A program whose folder cannot be written keeps its setting in the configuration
// folder, which the first write makes; the next start reads the same file.
TEST(SettingsFileForAnInstalledProgram, KeepsTheSettingInTheConfigFolder) {
    TempDir config;
    const WriteAccessProbe real{platform::canWriteFile, platform::canCreateFileIn};
    const std::string program = std::string(kUnwritableDir) + "vesk-edit";
    const SettingsLocation place =
        chooseSettingsLocation(program, test::utf8FromPath(config.root()), kId, real);
    ASSERT_TRUE(place.inUserConfigDir);
    const SettingsFile first = SettingsFile::at(place);
    EXPECT_TRUE(first.loadBackupSetting());
    EXPECT_FALSE(test::exists(config.path("io.example.Editor"))) << "nothing made on reading";
    first.saveBackupSetting(false);
    EXPECT_EQ(test::readText(config.path("io.example.Editor/data.ini")),
              test::readText(first.path()));
    EXPECT_FALSE(SettingsFile::at(chooseSettingsLocation(
                                      program, test::utf8FromPath(config.root()), kId, real))
                     .loadBackupSetting());
}

TEST(SettingsFileForThisProgram, StaysBesideAProgramInAWritableFolder) {
    EXPECT_EQ(SettingsFile::forThisProgram().path(), SettingsFile::besideProgram().path());
}

#ifndef _WIN32
// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(UserConfigDirTest, FollowsXdgConfigHomeElseHomeDotConfig) {
    {
        ScopedVariable xdg("XDG_CONFIG_HOME", "/srv/cfg");
        EXPECT_EQ(platform::userConfigDir(), "/srv/cfg");
    }
    ScopedVariable home("HOME", "/home/someone");
    {
        ScopedVariable relative("XDG_CONFIG_HOME", "relative/cfg");
        EXPECT_EQ(platform::userConfigDir(), "/home/someone/.config");
    }
    ScopedVariable unset("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(platform::userConfigDir(), "/home/someone/.config");
}
#else
TEST(UserConfigDirTest, IsAppData) {
    const char* appData = std::getenv("APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(platform::userConfigDir(), appData);
}
#endif

}  // namespace
}  // namespace vesk
