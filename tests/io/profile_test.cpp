// The initialisation-file calls, on each platform: the same text rules over its files.
#include <gtest/gtest.h>

#include <filesystem>

#include "io/profile.h"
#include "test_files.h"

namespace vesk {
namespace {

using namespace test;  // the shared test files and helpers

class Profile : public ::testing::Test {
protected:
    TempDir dir;
    std::string ini = dir.path("設定/data.ini");
    void SetUp() override { std::filesystem::create_directory(pathFromUtf8(dir.path("設定"))); }
    int backup() const { return profileInt(ini, "Vesk Tool", "backup", -7); }
};

TEST_F(Profile, MissingFileSectionOrKeyGivesTheFallback) {
    EXPECT_EQ(backup(), -7);
    writeText(ini, "[Other]\r\nbackup=1\r\n");
    EXPECT_EQ(backup(), -7);
    writeText(ini, "[Vesk Tool]\r\nother=1\r\n");
    EXPECT_EQ(backup(), -7);
    EXPECT_EQ(profileInt("", "Vesk Tool", "backup", -7), -7);
}

// A value without digits reads 0; only a missing or empty one gives the fallback.
TEST_F(Profile, ValuesReadByTheirLeadingDigits) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"1", 1},   {"01", 1},  {"0", 0},  {"2", 2}, {"7x", 7},
                 {"-3", -3}, {"yes", 0}, {"x1", 0}, {"", -7}};
    for (const auto& c : cases) {
        writeText(ini, std::string("[Vesk Tool]\r\nbackup=") + c.value + "\r\n");
        EXPECT_EQ(backup(), c.expected) << "backup=" << c.value;
    }
}

TEST_F(Profile, AWriteCreatesFileSectionAndKeyAndIsReadBack) {
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "1"));
    EXPECT_EQ(backup(), 1);
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "0"));
    EXPECT_EQ(backup(), 0);
    const std::string text = readText(ini);
    EXPECT_NE(text.find("[Vesk Tool]"), std::string::npos) << text;
    EXPECT_NE(text.find("backup=0"), std::string::npos) << text;
}

TEST_F(Profile, AWriteKeepsEveryOtherLine) {
    writeText(ini, "; kept\r\n[Other]\r\nkey=5\r\n[Vesk Tool]\r\nbackup=1\r\nextra=x\r\n");
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "0"));
    EXPECT_EQ(readText(ini),
              "; kept\r\n[Other]\r\nkey=5\r\n[Vesk Tool]\r\nbackup=0\r\nextra=x\r\n");
    EXPECT_EQ(profileInt(ini, "Other", "key", 0), 5);
}

TEST_F(Profile, AWriteWhereNoFileCanBeFails) {
    EXPECT_FALSE(writeProfileString(dir.path("nowhere/data.ini"), "Vesk Tool", "backup", "0"));
    EXPECT_FALSE(writeProfileString("", "Vesk Tool", "backup", "0"));
}

}  // namespace
}  // namespace vesk
