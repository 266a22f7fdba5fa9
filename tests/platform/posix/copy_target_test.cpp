// Save as and backup on POSIX against targets that must not be replaced: files another
// program holds locked, and things that are not regular files.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "io/image_file.h"
#include "platform/file_copy.h"
#include "platform/posix/fd.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using Cause = ErrorReason::Cause;
using test::Bytes;
using test::readBytes;
using test::writeBytes;

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

class CopyTarget : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(source, Bytes(ImageFile::kMinimumSize, 7));
        writeBytes(target, Bytes{1, 2, 3});
    }
    // Another program's lock: a descriptor of its own on the target, with flock.
    posix::UniqueFd lockTarget(int operation) {
        posix::UniqueFd fd(posix::openRetrying(target, O_RDWR | O_CLOEXEC));
        EXPECT_TRUE(fd.valid());
        EXPECT_EQ(::flock(fd.get(), operation | LOCK_NB), 0);
        return fd;
    }
    test::TempDir dir;
    std::string source = dir.path("game.gb");
    std::string target = dir.path("game.gb.bak");
};

TEST_F(CopyTarget, ATargetLockedByAnotherProgramIsNotReplaced) {
    // A writer's lock, and a reader's: either one is kept out of the file it is using.
    for (const int operation : {LOCK_EX, LOCK_SH}) {
        const posix::UniqueFd held = lockTarget(operation);
        const ino_t before = inodeOf(target);
        ErrorReason reason;
        EXPECT_FALSE(copyFile(source, target, true, reason));
        EXPECT_EQ(reason.cause, Cause::InUse);
        EXPECT_EQ(inodeOf(target), before);
        EXPECT_EQ(readBytes(target), (Bytes{1, 2, 3}));
    }
    EXPECT_EQ(test::snapshot(dir.root()).size(), 2u) << "no temporary file left";
    // Once let go, the copy goes through.
    EXPECT_TRUE(copyFile(source, target, true));
    EXPECT_EQ(readBytes(target), readBytes(source));
}

TEST_F(CopyTarget, BackupAndSaveAsFailOnALockedTargetAndSayWhy) {
    ImageFile image;
    image.currentPath = source;
    const posix::UniqueFd held = lockTarget(LOCK_EX);
    EXPECT_FALSE(image.backup());
    EXPECT_EQ(image.lastError().cause, Cause::InUse);
    EXPECT_FALSE(image.copyCurrentTo(target));
    EXPECT_EQ(image.lastError().cause, Cause::InUse);
    EXPECT_EQ(readBytes(target), (Bytes{1, 2, 3}));
}

TEST_F(CopyTarget, ABackupThatIsAnotherNameOfTheImageIsStillReplaced) {
    std::filesystem::remove(target);
    std::filesystem::create_hard_link(source, target);
    ImageFile image;
    image.currentPath = source;
    EXPECT_TRUE(image.backup());
    EXPECT_NE(inodeOf(target), inodeOf(source));
    EXPECT_EQ(readBytes(target), readBytes(source));
}

TEST_F(CopyTarget, ATargetThatIsNotARegularFileIsRefusedAndKept) {
    const std::string fifo = dir.path("pipe.gb");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = dir.path("folder.gb");
    fs::create_directory(folder);
    std::vector<std::string> targets{fifo, folder};
    // A device node like /dev/null, where the system lets us make one.
    const std::string device = dir.path("null.gb");
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) targets.push_back(device);

    for (const std::string& path : targets) {
        struct stat before {};
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        ErrorReason reason;
        EXPECT_FALSE(copyFile(source, path, true, reason)) << path;
        EXPECT_EQ(reason.cause, Cause::NotRegularFile) << path;
        struct stat after {};
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode) << path;
        EXPECT_EQ(after.st_ino, before.st_ino) << path;
    }
    // Counted, not read: reading the pipe would wait for a writer.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.root()), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(2 + targets.size()));
}

}  // namespace
}  // namespace vesk::platform
