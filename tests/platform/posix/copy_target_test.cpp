// Save as, backup, the command's outputs and the settings file on POSIX against targets
// that must not be replaced: files another program holds locked, and things that are not
// regular files; and links and files of other owners, which must be kept.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "io/image_file.h"
#include "io/profile.h"
#include "platform/file_copy.h"
#include "platform/posix/fd.h"
#include "platform/whole_file.h"
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

// Every writer of whole files: backups and save-as copies, the command's outputs, the
// settings file.
struct Writer {
    const char* name;
    std::function<bool(const std::string& source, const std::string& target, ErrorReason&)> write;
};

std::vector<Writer> writers() {
    return {
        {"copy", [](const std::string& source, const std::string& target,
                    ErrorReason& reason) { return copyFile(source, target, true, reason); }},
        {"whole file",
         [](const std::string&, const std::string& target, ErrorReason& reason) {
             return writeWholeFile(target, "output", 6, true, reason);
         }},
        {"settings",
         [](const std::string&, const std::string& target, ErrorReason& reason) {
             return writeProfileString(target, "Vesk Tool", "backup", "1", reason);
         }},
    };
}

TEST_F(CopyTarget, ATargetThatIsNotARegularFileIsRefusedAndKept) {
    const std::string fifo = dir.path("pipe.gb");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = dir.path("folder.gb");
    fs::create_directory(folder);
    const std::string socket = dir.path("socket.gb");
    const posix::UniqueFd listening(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socket.size(), sizeof address.sun_path);
    std::copy(socket.begin(), socket.end(), address.sun_path);
    ASSERT_EQ(::bind(listening.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::vector<std::string> targets{fifo, folder, socket};
    // A device node like /dev/null, of the test's own, where the system lets us make one.
    const std::string device = dir.path("null.gb");
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) targets.push_back(device);
    // And each of them reached through a link.
    for (std::size_t i = 0, n = targets.size(); i < n; ++i) {
        const std::string link = targets[i] + ".link";
        fs::create_symlink(targets[i], link);
        targets.push_back(link);
    }

    for (const Writer& writer : writers()) {
        for (const std::string& path : targets) {
            SCOPED_TRACE(std::string(writer.name) + " onto " + path);
            struct stat before {};
            ASSERT_EQ(::lstat(path.c_str(), &before), 0);
            ErrorReason reason;
            EXPECT_FALSE(writer.write(source, path, reason));
            EXPECT_EQ(reason.cause, Cause::NotRegularFile);
            struct stat after {};
            ASSERT_EQ(::lstat(path.c_str(), &after), 0);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
    }
    // A backup refuses them as well, but a link to one is only a name, and is replaced.
    const auto isLink = [](const std::string& path) { return path.ends_with(".link"); };
    for (const std::string& path : targets) {
        ErrorReason reason;
        EXPECT_EQ(copyReplacingName(source, path, reason), isLink(path)) << path;
    }
    for (const std::string& path : targets) {
        EXPECT_EQ(fs::is_regular_file(fs::symlink_status(path)), isLink(path)) << path;
    }
    // Counted, not read: reading the pipe would wait for a writer.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.root()), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(2 + targets.size()));
}

TEST_F(CopyTarget, EveryWriterRefusesALockedFileAtOnce) {
    const posix::UniqueFd held = lockTarget(LOCK_SH);
    for (const Writer& writer : writers()) {
        SCOPED_TRACE(writer.name);
        ErrorReason reason;
        EXPECT_FALSE(writer.write(source, target, reason));
        EXPECT_EQ(reason.cause, Cause::InUse);
        EXPECT_EQ(readBytes(target), (Bytes{1, 2, 3}));
    }
}

// Through a link, the file it points to gets the content; the link, and the file's owner,
// group and permissions stay. As the superuser the file belongs to another user, which
// also makes it be written into rather than replaced.
TEST_F(CopyTarget, EveryWriterWritesThroughALinkKeepingOwnerGroupAndMode) {
    const bool root = ::getuid() == 0;
    for (const Writer& writer : writers()) {
        for (const bool otherOwner : {false, true}) {
            if (otherOwner && !root) continue;
            SCOPED_TRACE(std::string(writer.name) + (otherOwner ? ", another user's file" : ""));
            const std::string file = dir.path("real.out");
            writeBytes(file, Bytes{1, 2, 3});
            ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
            if (otherOwner) {
                ASSERT_EQ(::chown(file.c_str(), 1, 1), 0);
            }
            const std::string link = dir.path("link.out");
            fs::create_symlink(file, link);
            struct stat before {};
            ASSERT_EQ(::stat(file.c_str(), &before), 0);

            ErrorReason reason;
            ASSERT_TRUE(writer.write(source, link, reason)) << reason.systemText;
            EXPECT_TRUE(fs::is_symlink(link));
            EXPECT_NE(readBytes(file), (Bytes{1, 2, 3}));
            struct stat after {};
            ASSERT_EQ(::stat(file.c_str(), &after), 0);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
            if (otherOwner) {
                EXPECT_EQ(after.st_ino, before.st_ino);
            }
            fs::remove(link);
            fs::remove(file);
            EXPECT_EQ(test::snapshot(dir.root()).size(), 2u) << "no temporary file left";
        }
    }
}

}  // namespace
}  // namespace vesk::platform
