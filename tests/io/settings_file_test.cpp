#include "io/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "io/path_parts.h"
#include "platform/own_path.h"
#include "test_files.h"

namespace vesk {
namespace {

using namespace test;  // the shared test files and helpers

class SettingsFileTest : public ::testing::Test {
protected:
    // A new file each time: Wine's profile functions cache a file by name and time, so a
    // file rewritten within the same clock tick may be read from the cache.
    SettingsFile settingsWith(const std::string& text) {
        ini = dir.path("data" + std::to_string(++files_) + ".ini");
        writeText(ini, text);
        return SettingsFile(ini);
    }

    TempDir dir;
    std::string ini = dir.path("data.ini");

private:
    int files_ = 0;
};

TEST_F(SettingsFileTest, OnlyAStoredOneTurnsTheBackupOff) {
    const struct {
        const char* text;
        bool on;
    } cases[] = {
        {"[Vesk Tool]\nbackup=1\n", false},
        {"[Vesk Tool]\nbackup=01\n", false},
        {"[Vesk Tool]\nbackup=1x\n", false},
        {"[Vesk Tool]\nbackup = 1 \n", false},
        {"[vesk tool]\nBACKUP=1\n", false},
        {"[Vesk Tool]\nbackup=1", false},
        {"[Vesk Tool]\nbackup=0\n", true},
        {"[Vesk Tool]\nbackup=2\n", true},
        {"[Vesk Tool]\nbackup=11\n", true},
        {"[Vesk Tool]\nbackup=-1\n", true},
        {"[Vesk Tool]\nbackup=yes\n", true},
        {"[Vesk Tool]\nbackup=\n", true},
        {"[Vesk Tool]\nother=1\n", true},
        {"[Other]\nbackup=1\n", true},
        {"backup=1\n", true},
        {"[Vesk Tool]\n;backup=1\n", true},
        {"", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(settingsWith(c.text).loadBackupSetting(), c.on) << c.text;
    }
}

// The lines of text without their breaks; blank lines left out.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

TEST_F(SettingsFileTest, AMissingFileMeansOnAndSavingCreatesIt) {
    const SettingsFile settings(ini);
    EXPECT_TRUE(settings.loadBackupSetting());
    settings.saveBackupSetting(true);
    EXPECT_EQ(linesOf(readText(ini)), (std::vector<std::string>{"[Vesk Tool]", "backup=0"}));
    EXPECT_TRUE(settings.loadBackupSetting());
    settings.saveBackupSetting(false);
    EXPECT_EQ(linesOf(readText(ini)), (std::vector<std::string>{"[Vesk Tool]", "backup=1"}));
    EXPECT_FALSE(settings.loadBackupSetting());
}

TEST_F(SettingsFileTest, SavingStoresZeroOrOneWhateverWasThere) {
    for (const char* old : {"01", "yes", "", "2"}) {
        const SettingsFile settings =
            settingsWith(std::string("[Vesk Tool]\nbackup=") + old + "\n");
        const bool on = settings.loadBackupSetting();
        settings.saveBackupSetting(on);
        EXPECT_EQ(linesOf(readText(ini)),
                  (std::vector<std::string>{"[Vesk Tool]", on ? "backup=0" : "backup=1"}))
            << old;
    }
}

TEST_F(SettingsFileTest, OtherSectionsKeysAndCommentsSurviveAWrite) {
    const std::string before =
        "; settings\n"
        "[Window]\n"
        "x=10\n"
        "\n"
        "[Vesk Tool]\n"
        "; automatic backup\n"
        "other=abc\n"
        "backup=1\n"
        "tail=z\n"
        "\n"
        "[Last]\n"
        "backup=1\n";
    const SettingsFile settings = settingsWith(before);
    ASSERT_FALSE(settings.loadBackupSetting());
    settings.saveBackupSetting(true);
    std::vector<std::string> expected = linesOf(before);
    expected[6] = "backup=0";
    EXPECT_EQ(linesOf(readText(ini)), expected);
    EXPECT_TRUE(settings.loadBackupSetting());
}

TEST_F(SettingsFileTest, AMissingSectionOrKeyIsAddedAndTheRestKept) {
    SettingsFile settings = settingsWith("[Window]\nx=1\n");
    settings.saveBackupSetting(false);
    EXPECT_EQ(linesOf(readText(ini)),
              (std::vector<std::string>{"[Window]", "x=1", "[Vesk Tool]", "backup=1"}));
    EXPECT_FALSE(settings.loadBackupSetting());

    settings = settingsWith("[Vesk Tool]\nother=2\n\n[Next]\ny=3\n");
    settings.saveBackupSetting(false);
    const std::vector<std::string> lines = linesOf(readText(ini));
    EXPECT_EQ(lines.front(), "[Vesk Tool]");
    EXPECT_EQ(lines.back(), "y=3");
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_FALSE(settings.loadBackupSetting());
}

TEST_F(SettingsFileTest, AFileWrittenOnWindowsReadsAndKeepsItsLineBreaks) {
    const std::string text = "\xEF\xBB\xBF[Vesk Tool]\r\nbackup=1\r\n[表]\r\nソ=能\r\n";
    const SettingsFile settings = settingsWith(text);
    EXPECT_FALSE(settings.loadBackupSetting());
    settings.saveBackupSetting(true);
    EXPECT_TRUE(settings.loadBackupSetting());
    const std::string after = readText(ini);
    EXPECT_NE(after.find("\r\n[表]\r\nソ=能\r\n"), std::string::npos) << after;
    EXPECT_EQ(after.find("\r\n\n"), std::string::npos);
}

TEST_F(SettingsFileTest, AnUnknownPathReadsOnAndWritesNothing) {
    const SettingsFile settings{std::string()};
    EXPECT_EQ(settings.path(), "");
    EXPECT_TRUE(settings.loadBackupSetting());
    settings.saveBackupSetting(false);
    EXPECT_TRUE(snapshot(dir.root()).empty());
}

TEST_F(SettingsFileTest, ASettingsPathThatIsADirectoryReadsOnAndIsLeftAlone) {
    std::filesystem::create_directory(pathFromUtf8(ini));
    const SettingsFile settings(ini);
    EXPECT_TRUE(settings.loadBackupSetting());
    settings.saveBackupSetting(false);
    EXPECT_TRUE(std::filesystem::is_directory(pathFromUtf8(ini)));
    EXPECT_EQ(snapshot(dir.root()).size(), 1u);
}

TEST_F(SettingsFileTest, JapaneseDirectoryNamesWork) {
    std::filesystem::create_directory(pathFromUtf8(dir.path("表ソ能")));
    const SettingsFile settings(dir.path("表ソ能/data.ini"));
    settings.saveBackupSetting(false);
    EXPECT_EQ(linesOf(readText(dir.path("表ソ能/data.ini"))),
              (std::vector<std::string>{"[Vesk Tool]", "backup=1"}));
    EXPECT_FALSE(settings.loadBackupSetting());
}

TEST(SettingsFileBesideProgram, IsDataIniInTheProgramsDirectory) {
    const std::string program = platform::ownProgramPath();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(std::filesystem::exists(pathFromUtf8(program)));
    const PathParts parts = splitPath(program);
    EXPECT_NE(parts.baseName.find("io_tests"), std::string_view::npos);
    const std::string expected =
        std::string(parts.drive) + std::string(parts.directory) + "data.ini";
    EXPECT_EQ(SettingsFile::besideProgram().path(), expected);
}

}  // namespace
}  // namespace vesk
