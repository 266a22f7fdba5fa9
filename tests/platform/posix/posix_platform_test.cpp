#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "io/profile.h"
#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/own_path.h"
#include "platform/single_instance.h"
#include "test_files.h"
#include "unprivileged.h"

namespace vesk::platform {
namespace {

using namespace test;  // the shared test files and helpers

namespace fs = std::filesystem;

// Runs `child` in a forked process and returns its exit code (-1 if it did not exit).
int inChildProcess(const std::function<int()>& child) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(child());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

class PosixPlatformTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string source = dir.path("source.gb");
    void SetUp() override { writeBytes(source, Bytes{10, 20, 30}); }
};

TEST_F(PosixPlatformTest, ALockHeldByAnotherProcessFailsAtOnce) {
    File reader;
    ASSERT_TRUE(reader.openExisting(source, File::Access::ReadShared));
    EXPECT_EQ(inChildProcess([&] {
                  File writer, second;
                  const bool writerKeptOut =
                      !writer.openExisting(source, File::Access::WriteExclusive);
                  const bool readersShare = second.openExisting(source, File::Access::ReadShared);
                  return writerKeptOut && readersShare ? 0 : 1;
              }),
              0);
}

TEST_F(PosixPlatformTest, AFifoIsRefusedWithoutWaitingForAWriter) {
    const std::string fifo = dir.path("pipe.gb");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    File file;
    EXPECT_FALSE(file.openExisting(fifo, File::Access::ReadShared));
    EXPECT_FALSE(copyFile(fifo, dir.path("copy.gb"), true));
}

TEST_F(PosixPlatformTest, ANewCopyGetsTheSourcesPermissionsAnExistingTargetKeepsItsOwn) {
    for (const mode_t mode : {mode_t{0640}, mode_t{0755}, mode_t{0600}}) {
        ASSERT_EQ(::chmod(source.c_str(), mode), 0);
        const std::string target = dir.path("copy" + std::to_string(mode) + ".gb");
        ASSERT_TRUE(copyFile(source, target, false));
        EXPECT_EQ(modeOf(target) & 0777, mode);
        ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
        ASSERT_TRUE(copyFile(source, target, true));
        EXPECT_EQ(modeOf(target) & 0777, 0664u);
    }
}

TEST_F(PosixPlatformTest, ALinkAtTheTargetIsWrittenThroughAndKept) {
    const std::string elsewhere = dir.path("elsewhere.gb");
    writeBytes(elsewhere, Bytes{1});
    const std::string link = dir.path("link.gb");
    fs::create_symlink(elsewhere, link);

    EXPECT_FALSE(copyFile(source, link, false));
    fs::create_symlink(dir.path("dangling"), dir.path("dangling.gb"));
    EXPECT_FALSE(copyFile(source, dir.path("dangling.gb"), false));
    EXPECT_FALSE(fs::exists(dir.path("dangling")));

    ASSERT_TRUE(copyFile(source, link, true));
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(readBytes(elsewhere), (Bytes{10, 20, 30}));
    // A link to a file not there yet: the file is made where the link points.
    ASSERT_TRUE(copyFile(source, dir.path("dangling.gb"), true));
    EXPECT_TRUE(S_ISLNK(modeOf(dir.path("dangling.gb"))));
    EXPECT_EQ(readBytes(dir.path("dangling")), (Bytes{10, 20, 30}));
}

TEST_F(PosixPlatformTest, CopiesLeaveNoTemporaryFilesBehind) {
    writeBytes(dir.path("taken.gb"), Bytes{5});
    EXPECT_TRUE(copyFile(source, dir.path("a.gb"), false));
    EXPECT_TRUE(copyFile(source, dir.path("a.gb"), true));
    EXPECT_FALSE(copyFile(source, dir.path("taken.gb"), false));
    fs::create_directory(dir.path("adir"));
    EXPECT_FALSE(copyFile(source, dir.path("adir"), true));
    EXPECT_EQ(snapshot(dir.root()).size(), 4u);  // source, taken, a, adir
}

TEST_F(PosixPlatformTest, ACopyIntoAReadOnlyDirectoryFails) {
    ::chmod(dir.root().c_str(), 0755);
    ::chmod(source.c_str(), 0644);
    fs::create_directory(dir.path("ro"));
    ASSERT_EQ(::chmod(dir.path("ro").c_str(), 0555), 0);
    // As an ordinary user: the superuser writes into read-only folders.
    EXPECT_EQ(test::asUnprivilegedUser([&] {
                  ErrorReason reason;
                  const bool copied = copyFile(source, dir.path("ro/copy.gb"), true, reason);
                  return !copied && reason.cause == ErrorReason::Cause::AccessDenied ? 0 : 1;
              }),
              0);
    ::chmod(dir.path("ro").c_str(), 0755);
    EXPECT_TRUE(fs::is_empty(dir.path("ro")));
}

TEST_F(PosixPlatformTest, SameFileFollowsLinks) {
    fs::create_symlink(source, dir.path("soft.gb"));
    fs::create_hard_link(source, dir.path("hard.gb"));
    EXPECT_TRUE(sameFile(source, dir.path("soft.gb")));
    EXPECT_TRUE(sameFile(dir.path("hard.gb"), dir.path("soft.gb")));
    writeBytes(dir.path("copy.gb"), Bytes{10, 20, 30});
    EXPECT_FALSE(sameFile(source, dir.path("copy.gb")));
}

TEST(OwnProgramPath, IsTheRunningTestProgram) {
    const std::string path = ownProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(fs::path(path).filename(), "posix_platform_tests");
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));
}

TEST_F(PosixPlatformTest, ProfileWriteKeepsTheFilesPermissionsAndLinks) {
    const std::string ini = dir.path("real.ini");
    writeText(ini, "[A]\nx=1\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
    const std::string link = dir.path("data.ini");
    fs::create_symlink(ini, link);

    ASSERT_TRUE(writeProfileString(link, "Vesk Tool", "backup", "1"));
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(modeOf(ini) & 0777, 0640u);
    EXPECT_EQ(readText(ini), "[A]\nx=1\n\n[Vesk Tool]\nbackup=1\n");
    EXPECT_EQ(profileInt(link, "vesk tool", "BACKUP", 5), 1);
    EXPECT_EQ(snapshot(dir.root()).size(), 3u);  // source, real.ini, the link
}

TEST_F(PosixPlatformTest, ProfileReadFallsBackAndAWriteFailsCleanly) {
    const std::string ini = dir.path("data.ini");
    EXPECT_EQ(profileInt(ini, "S", "k", 42), 42);
    EXPECT_EQ(profileInt(dir.path("nowhere/data.ini"), "S", "k", 42), 42);
    const auto before = snapshot(dir.root());
    EXPECT_FALSE(writeProfileString(dir.path("nowhere/data.ini"), "S", "k", "1"));
    EXPECT_FALSE(writeProfileString(ini, "S", "k=", "1"));
    EXPECT_FALSE(writeProfileString("", "S", "k", "1"));
    fs::create_directory(ini);
    EXPECT_FALSE(writeProfileString(ini, "S", "k", "1"));
    EXPECT_EQ(profileInt(ini, "S", "k", 42), 42);
    fs::remove(ini);
    EXPECT_EQ(snapshot(dir.root()), before);
}

TEST_F(PosixPlatformTest, ANewSettingsFileFollowsTheUmask) {
    const mode_t old = ::umask(022);
    ASSERT_TRUE(writeProfileString(dir.path("data.ini"), "S", "k", "1"));
    ::umask(old);
    EXPECT_EQ(modeOf(dir.path("data.ini")) & 0777, 0644u);
}

// Points the lock at a directory of the test's own, and restores the environment.
class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        saveVariable("XDG_RUNTIME_DIR", savedRuntime_);
        saveVariable("TMPDIR", savedTemp_);
    }
    void TearDown() override {
        restoreVariable("XDG_RUNTIME_DIR", savedRuntime_);
        restoreVariable("TMPDIR", savedTemp_);
    }

    TempDir dir;
    std::string name = "VeskTest" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name();

private:
    static void saveVariable(const char* variable, std::optional<std::string>& saved) {
        const char* value = ::getenv(variable);
        if (value) saved = value;
    }
    static void restoreVariable(const char* variable, const std::optional<std::string>& saved) {
        if (saved) {
            ::setenv(variable, saved->c_str(), 1);
        } else {
            ::unsetenv(variable);
        }
    }
    std::optional<std::string> savedRuntime_, savedTemp_;
};

TEST_F(InstanceLockTest, ASecondProcessFindsTheFirstRunning) {
    ::setenv("XDG_RUNTIME_DIR", dir.path("").c_str(), 1);
    ASSERT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
    EXPECT_TRUE(fs::is_regular_file(dir.path(name + ".lock")));
    EXPECT_EQ(inChildProcess([&] {
                  return acquireInstanceLock(name) == InstanceLock::AlreadyRunning ? 0 : 1;
              }),
              0);
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::AlreadyRunning);
}

TEST_F(InstanceLockTest, TheLockEndsWithItsProcess) {
    ::setenv("XDG_RUNTIME_DIR", dir.path("").c_str(), 1);
    EXPECT_EQ(
        inChildProcess([&] { return acquireInstanceLock(name) == InstanceLock::Acquired ? 0 : 1; }),
        0);
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
}

TEST_F(InstanceLockTest, WithoutARuntimeDirectoryAPrivateFolderInTheTemporaryOneIsUsed) {
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", dir.path("").c_str(), 1);
    ASSERT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
    const std::string folder = dir.path("vesk-edit-" + std::to_string(::geteuid()));
    EXPECT_EQ(modeOf(folder) & 0777, 0700u);
    const std::string file = folder + "/" + name + ".lock";
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(modeOf(file) & 077, 0u);
    EXPECT_EQ(inChildProcess([&] {
                  return acquireInstanceLock(name) == InstanceLock::AlreadyRunning ? 0 : 1;
              }),
              0);
}

TEST_F(InstanceLockTest, WhatOthersPlantInTheTemporaryFolderDoesNotKeepTheLockAway) {
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", dir.path("").c_str(), 1);
    // The name a lock file in the shared folder would have had, taken by someone else.
    const std::string planted = dir.path(name + "-" + std::to_string(::geteuid()) + ".lock");
    fs::create_directory(planted);
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
}

TEST_F(InstanceLockTest, AFolderOthersCouldWriteIntoIsNeverUsed) {
    // A runtime folder that is not private is passed over for the private one.
    fs::create_directory(dir.path("runtime"));
    ::chmod(dir.path("runtime").c_str(), 0777);
    ::setenv("XDG_RUNTIME_DIR", dir.path("runtime").c_str(), 1);
    ::setenv("TMPDIR", dir.path("").c_str(), 1);
    ASSERT_EQ(acquireInstanceLock(name), InstanceLock::Acquired);
    EXPECT_TRUE(fs::is_empty(dir.path("runtime")));

    // A private folder's name taken by a folder others may write, or by someone else's
    // folder: no lock, and nothing made in there.
    const std::string taken = dir.path("taken");
    fs::create_directory(taken);
    ::setenv("TMPDIR", taken.c_str(), 1);
    const std::string folder = taken + "/vesk-edit-" + std::to_string(::geteuid());
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0777);
    EXPECT_EQ(acquireInstanceLock(name + "b"), InstanceLock::Failed);
    if (::geteuid() == 0) {
        ::chmod(folder.c_str(), 0700);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        EXPECT_EQ(acquireInstanceLock(name + "b"), InstanceLock::Failed);
    }
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(InstanceLockTest, ALockFileThatCannotBeOpenedFails) {
    ::setenv("XDG_RUNTIME_DIR", dir.path("").c_str(), 1);
    fs::create_directory(dir.path(name + ".lock"));
    EXPECT_EQ(acquireInstanceLock(name), InstanceLock::Failed);
    fs::create_symlink(dir.path("target"), dir.path(name + "x.lock"));
    EXPECT_EQ(acquireInstanceLock(name + "x"), InstanceLock::Failed);
    EXPECT_FALSE(fs::exists(dir.path("target")));
}

}  // namespace
}  // namespace vesk::platform
