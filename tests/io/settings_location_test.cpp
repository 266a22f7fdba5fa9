// Where data.ini lives: beside the program whenever it can be kept there, else in the
// user's configuration folder. The platform questions the choice asks have contract
// suites of their own in tests/platform/.
#include "io/settings_location.h"

#include <gtest/gtest.h>

#include <set>

#include "io/settings_file.h"
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

// A program whose folder cannot be written keeps its setting in the configuration
// folder, which the first write makes; the next start reads the same file.
TEST(SettingsFileForAnInstalledProgram, KeepsTheSettingInTheConfigFolder) {
    TempDir config;
    const FakeAccess nothing;
    const auto place = [&] {
        return chooseSettingsLocation("/usr/bin/vesk-edit", test::utf8FromPath(config.root()), kId,
                                      nothing.probe());
    };
    ASSERT_TRUE(place().inUserConfigDir);
    const SettingsFile first = SettingsFile::at(place());
    EXPECT_TRUE(first.loadBackupSetting());
    EXPECT_FALSE(test::exists(config.path("io.example.Editor"))) << "nothing made on reading";
    first.saveBackupSetting(false);
    EXPECT_EQ(test::readText(config.path("io.example.Editor/data.ini")),
              test::readText(first.path()));
    EXPECT_FALSE(SettingsFile::at(place()).loadBackupSetting());
}

TEST(SettingsFileForThisProgram, StaysBesideAProgramInAWritableFolder) {
    EXPECT_EQ(SettingsFile::forThisProgram().path(), SettingsFile::besideProgram().path());
}

}  // namespace
}  // namespace vesk
