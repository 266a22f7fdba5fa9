// The settings write on POSIX against files it must not take over: read-only ones, ones
// in read-only folders, ones reached through links, ones with several names.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "io/profile.h"
#include "test_files.h"
#include "unprivileged.h"

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::writeText;

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

bool sameIdentity(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_uid == b.st_uid &&
           a.st_gid == b.st_gid && a.st_mode == b.st_mode && a.st_nlink == b.st_nlink;
}

constexpr const char* kBefore = "[Vesk Tool]\nbackup=0\n";
constexpr const char* kAfter = "[Vesk Tool]\nbackup=1\n";

class SettingsWrite : public ::testing::Test {
protected:
    void SetUp() override {
        // Anyone may look inside; the tests decide who may write.
        ::chmod(dir.root().c_str(), 0755);
        writeText(ini, kBefore);
    }
    test::TempDir dir;
    std::string ini = dir.path("data.ini");
};

TEST_F(SettingsWrite, AReadOnlyFileIsNotWrittenEvenByTheSuperuser) {
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    const struct stat before = statOf(ini);
    ErrorReason reason;
    EXPECT_FALSE(writeProfileString(ini, "Vesk Tool", "backup", "1", reason));
    EXPECT_EQ(reason.cause, ErrorReason::Cause::AccessDenied);
    EXPECT_EQ(readText(ini), kBefore);
    EXPECT_TRUE(sameIdentity(statOf(ini), before));
}

TEST_F(SettingsWrite, AFileTheUserMayNotWriteStaysAsItWasInAFolderTheUserMayWrite) {
    if (::getuid() != 0) GTEST_SKIP() << "a file of another user needs the superuser to set up";
    // The file belongs to the test's user, the folder to the one who writes.
    const std::string folder = dir.path("config");
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0777);
    test::giveToUnprivilegedUser(folder);
    const std::string theirs = folder + "/data.ini";
    writeText(theirs, kBefore);
    ASSERT_EQ(::chmod(theirs.c_str(), 0644), 0);
    const struct stat before = statOf(theirs);

    EXPECT_EQ(test::asUnprivilegedUser([&] {
                  ErrorReason reason;
                  const bool written =
                      writeProfileString(theirs, "Vesk Tool", "backup", "1", reason);
                  return !written && reason.cause == ErrorReason::Cause::AccessDenied ? 0 : 1;
              }),
              0);
    EXPECT_EQ(readText(theirs), kBefore);
    EXPECT_TRUE(sameIdentity(statOf(theirs), before)) << "neither replaced nor re-owned";
    EXPECT_EQ(fs::directory_iterator(folder)->path().filename(), "data.ini");
}

TEST_F(SettingsWrite, OnlyTheFolderBeingReadOnlyDoesNotStopTheWrite) {
    const std::string folder = dir.path("program");
    fs::create_directory(folder);
    const std::string file = folder + "/data.ini";
    writeText(file, kBefore);
    test::giveToUnprivilegedUser(file);
    test::giveToUnprivilegedUser(folder);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const struct stat before = statOf(file);

    EXPECT_EQ(test::asUnprivilegedUser(
                  [&] { return writeProfileString(file, "Vesk Tool", "backup", "1") ? 0 : 1; }),
              0);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(readText(file), kAfter);
    EXPECT_TRUE(sameIdentity(statOf(file), before));
}

TEST_F(SettingsWrite, ALinkIsWrittenThroughWithoutReowningWhatItPointsTo) {
    if (::getuid() != 0) GTEST_SKIP() << "a file of another user needs the superuser to set up";
    const std::string elsewhere = dir.path("system.ini");
    writeText(elsewhere, "[Other]\nx=1\n");
    ASSERT_EQ(::chown(elsewhere.c_str(), 1, 1), 0);
    ASSERT_EQ(::chmod(elsewhere.c_str(), 0664), 0);
    const std::string link = dir.path("link.ini");
    fs::create_symlink(elsewhere, link);
    const struct stat before = statOf(elsewhere);

    ASSERT_TRUE(writeProfileString(link, "Vesk Tool", "backup", "1"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readText(elsewhere), "[Other]\nx=1\n\n[Vesk Tool]\nbackup=1\n");
    const struct stat after = statOf(elsewhere);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 1u);
    EXPECT_EQ(after.st_gid, 1u);
    EXPECT_EQ(after.st_mode, before.st_mode);
}

TEST_F(SettingsWrite, AFileWithSeveralNamesStaysOneFile) {
    const std::string second = dir.path("also.ini");
    fs::create_hard_link(ini, second);
    const struct stat before = statOf(ini);
    // Same length, longer, shorter, and a key added in the middle of the file.
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "1"));
    EXPECT_EQ(readText(second), kAfter);
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "100"));
    EXPECT_EQ(readText(second), "[Vesk Tool]\nbackup=100\n");
    // Never shorter: a crash cannot leave a cut file; readers trim the spaces.
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "0"));
    EXPECT_EQ(readText(second), "[Vesk Tool]\nbackup=0  \n");
    EXPECT_EQ(profileInt(second, "Vesk Tool", "backup", -1), 0);
    writeText(ini, "[A]\nx=1\n[B]\ny=2\n");
    ASSERT_TRUE(writeProfileString(ini, "A", "z", "3"));
    EXPECT_EQ(readText(second), "[A]\nx=1\nz=3\n[B]\ny=2\n");
    EXPECT_TRUE(sameIdentity(statOf(ini), before));
    EXPECT_EQ(test::snapshot(dir.root()).size(), 2u) << "no temporary file left";
}

TEST_F(SettingsWrite, AFileOfOurOwnIsReplacedWholeWithItsGroupAndPermissions) {
    if (::getuid() == 0) {
        ASSERT_EQ(::chown(ini.c_str(), 0, 1), 0);
    }
    ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
    const struct stat before = statOf(ini);
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "1"));
    EXPECT_EQ(readText(ini), kAfter);
    const struct stat after = statOf(ini);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(test::snapshot(dir.root()).size(), 1u);
}

}  // namespace
}  // namespace vesk::platform
