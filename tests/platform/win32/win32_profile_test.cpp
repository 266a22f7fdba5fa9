// The settings-file and single-instance operations on the private-profile functions
// and a named mutex.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "platform/single_instance.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

using testing::readText;
using testing::writeText;

class Win32ProfileTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    std::string ini = dir.path("設定/data.ini");
    void SetUp() override {
        std::filesystem::create_directory(testing::pathFromUtf8(dir.path("設定")));
    }
    int backup() const { return profileInt(ini, "Vesk Tool", "backup", -7); }
};

TEST_F(Win32ProfileTest, MissingFileSectionOrKeyGivesTheFallback) {
    EXPECT_EQ(backup(), -7);
    writeText(ini, "[Other]\r\nbackup=1\r\n");
    EXPECT_EQ(backup(), -7);
    writeText(ini, "[Vesk Tool]\r\nother=1\r\n");
    EXPECT_EQ(backup(), -7);
    EXPECT_EQ(profileInt("", "Vesk Tool", "backup", -7), -7);
}

TEST_F(Win32ProfileTest, ValuesReadByTheirLeadingDigits) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"1", 1}, {"01", 1}, {"0", 0}, {"2", 2}, {"7x", 7}, {"-3", -3},
                 {"yes", -7}, {"", -7}, {"x1", -7}};
    for (const auto& c : cases) {
        writeText(ini, std::string("[Vesk Tool]\r\nbackup=") + c.value + "\r\n");
        EXPECT_EQ(backup(), c.expected) << "backup=" << c.value;
    }
}

TEST_F(Win32ProfileTest, AWriteCreatesFileSectionAndKeyAndIsReadBack) {
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "1"));
    EXPECT_EQ(backup(), 1);
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "0"));
    EXPECT_EQ(backup(), 0);
    const std::string text = readText(ini);
    EXPECT_NE(text.find("[Vesk Tool]"), std::string::npos) << text;
    EXPECT_NE(text.find("backup=0"), std::string::npos) << text;
}

TEST_F(Win32ProfileTest, AWriteKeepsEveryOtherLine) {
    writeText(ini, "; kept\r\n[Other]\r\nkey=5\r\n[Vesk Tool]\r\nbackup=1\r\nextra=x\r\n");
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "0"));
    EXPECT_EQ(readText(ini), "; kept\r\n[Other]\r\nkey=5\r\n[Vesk Tool]\r\nbackup=0\r\nextra=x\r\n");
    EXPECT_EQ(profileInt(ini, "Other", "key", 0), 5);
}

TEST_F(Win32ProfileTest, AWriteWhereNoFileCanBeFails) {
    EXPECT_FALSE(writeProfileString(dir.path("nowhere/data.ini"), "Vesk Tool", "backup", "0"));
    EXPECT_FALSE(writeProfileString("", "Vesk Tool", "backup", "0"));
}

TEST(Win32InstanceLock, TheNamedMutexTellsWhetherItExisted) {
    const std::string name = "VeskEditTest-" + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::AlreadyRunning);
    EXPECT_EQ(acquireInstanceLock(name + "-other"), InstanceLock::Acquired);
    // A backslash is not allowed in an object name outside a namespace.
    EXPECT_EQ(acquireInstanceLock("No\\Such\\Namespace"), InstanceLock::Failed);
}

}  // namespace
}  // namespace vesk::platform
