// Every error box says why: the reason is taken where a file operation fails, carried up
// and put below the box's first line.
#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "app/messages.h"
#include "editor_rig.h"
#include "io/image_file.h"
#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"
#include "sample_image.h"
#include "test_files.h"
#include "unprivileged.h"

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using Cause = ErrorReason::Cause;

class ErrorReasons : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(dir.root().c_str(), 0755);
        test::writeBytes(image, tools::makeSampleImage(3));
    }
    Cause openCause(const std::string& path, File::Access access) {
        File file;
        EXPECT_FALSE(file.openExisting(path, access)) << path;
        return file.lastError().cause;
    }
    test::TempDir dir;
    std::string image = dir.path("game.gb");
};

TEST_F(ErrorReasons, TheCausesAFileOpenMeets) {
    EXPECT_EQ(openCause(dir.path("missing.gb"), File::Access::ReadShared), Cause::NotFound);
    EXPECT_EQ(openCause(dir.path("missing/game.gb"), File::Access::ReadShared), Cause::NotFound);
    EXPECT_EQ(openCause(dir.path(std::string(300, 'x') + ".gb"), File::Access::ReadShared),
              Cause::NameTooLong);
    EXPECT_EQ(openCause(dir.root().string(), File::Access::ReadShared), Cause::NotRegularFile);
    const std::string fifo = dir.path("pipe.gb");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(openCause(fifo, File::Access::WriteExclusive), Cause::NotRegularFile);

    posix::UniqueFd other(posix::openRetrying(image, O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(other.get(), LOCK_SH | LOCK_NB), 0);
    EXPECT_EQ(openCause(image, File::Access::WriteExclusive), Cause::InUse);

    File file;
    EXPECT_TRUE(file.openExisting(image, File::Access::ReadShared));
    EXPECT_EQ(file.lastError().cause, Cause::None);
}

TEST_F(ErrorReasons, AReadOnlyImageIsNotOpenedForWritingEvenByTheSuperuser) {
    ASSERT_EQ(::chmod(image.c_str(), 0444), 0);
    EXPECT_EQ(openCause(image, File::Access::WriteExclusive), Cause::AccessDenied);
    File file;
    EXPECT_TRUE(file.openExisting(image, File::Access::ReadShared));
}

TEST_F(ErrorReasons, PermissionDeniedForAnOrdinaryUser) {
    // The superuser's file that others may only read; a file of one's own has to be
    // read-only for everyone.
    ASSERT_EQ(::chmod(image.c_str(), ::geteuid() == 0 ? 0644 : 0444), 0);
    EXPECT_EQ(test::asUnprivilegedUser([&] {
                  File file;
                  const bool opened = file.openExisting(image, File::Access::WriteExclusive);
                  return !opened && file.lastError().cause == Cause::AccessDenied ? 0 : 1;
              }),
              0);
}

TEST_F(ErrorReasons, ASaveIntoAReadOnlyImageSaysItCouldNotWriteAndWhy) {
    ASSERT_EQ(::chmod(image.c_str(), 0444), 0);
    const auto before = test::readBytes(image);
    const std::string expected = std::string(messages::kWriteFailed) + "\n" +
                                 reasonText(ErrorReason::of(Cause::AccessDenied));
    EXPECT_EQ(expected, "ファイルに書き込めませんでした。\nアクセスが拒否されました。");
    EXPECT_EQ(test::asUnprivilegedUser([&] {
                  test::EditorRig rig("");
                  rig.start();
                  if (!rig.open(image) || !rig.dialog.errors().empty()) return 1;
                  rig.toggleBackup();  // the backup beside the image could not be made either
                  rig.typeStat(0, "99");
                  rig.save(true);
                  if (rig.dialog.errors().size() != 1) return 2;
                  return rig.dialog.errors().back() == expected ? 0 : 3;
              }),
              0);
    EXPECT_EQ(test::readBytes(image), before);
}

TEST_F(ErrorReasons, AFileShorterThanTheEnemyDataSaysSo) {
    test::writeBytes(image, test::Bytes(ImageFile::kMinimumSize - 1, 0));
    ImageFile file;
    file.currentPath = image;
    EnemyBlock block;
    EXPECT_FALSE(file.write(block));
    EXPECT_EQ(file.lastError().cause, Cause::TooShort);
    EXPECT_EQ(file.readBlock(block), ImageFile::ReadResult::TooShort);
    EXPECT_EQ(reasonText(file.lastError()), "ファイルが敵データより短くなっています。");
}

TEST_F(ErrorReasons, ACopyIntoAMissingFolderSaysSo) {
    ErrorReason reason;
    EXPECT_FALSE(copyFile(image, dir.path("nowhere/copy.gb"), true, reason));
    EXPECT_EQ(reason.cause, Cause::NotFound);
    EXPECT_EQ(reason.systemCode, ENOENT);
}

// Runs `body` in a child with a small disk of its own at `folder` (a tmpfs in a mount
// namespace of the child's, so nothing outside sees it). 77 when no such disk can be had.
int withSmallDisk(const std::string& folder, const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k") != 0) {
            ::_exit(77);
        }
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(ErrorReasons, AFullDiskAndAReadOnlyDiskAreNamed) {
    const std::string disk = dir.path("disk");
    fs::create_directory(disk);
    const std::string copy = disk + "/copy.gb";
    const std::string expected =
        std::string(messages::kCopyFailed) + "\n" + reasonText(ErrorReason::of(Cause::DiskFull));
    const int result = withSmallDisk(disk, [&] {
        // The disk filled up to the last block, then a save as onto it.
        {
            posix::UniqueFd filler(posix::openRetrying(disk + "/filler", O_WRONLY | O_CREAT, 0600));
            const std::vector<char> block(4096, 0);
            while (posix::writeFull(filler.get(), block.data(), block.size())) {
            }
        }
        test::EditorRig rig("");
        rig.start();
        if (!rig.open(image)) return 1;
        rig.toggleBackup();
        rig.saveAs(copy);
        if (rig.dialog.errors().empty() || rig.dialog.errors().back() != expected) return 2;
        if (fs::exists(copy)) return 3;

        // The same disk read-only, with an image on it.
        fs::remove(disk + "/filler");
        fs::copy_file(image, copy);
        if (::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return 4;
        File file;
        if (file.openExisting(copy, File::Access::WriteExclusive)) return 5;
        if (file.lastError().cause != Cause::ReadOnlyDisk) return 6;
        ErrorReason reason;
        if (copyFile(image, disk + "/other.gb", true, reason)) return 7;
        return reason.cause == Cause::ReadOnlyDisk ? 0 : 8;
    });
    if (result == 77) GTEST_SKIP() << "no small disk of our own: mounting needs the superuser";
    EXPECT_EQ(result, 0);
}

TEST(ErrorReasonTexts, UsualCausesInJapaneseOthersInTheSystemsWords) {
    const std::pair<int, const char*> usual[] = {
        {ENOENT, "ファイルが見つかりません。"},
        {EACCES, "アクセスが拒否されました。"},
        {ENOSPC, "ディスクの空き容量が足りません。"},
        {EROFS, "ディスクが書き込み禁止になっています。"},
        {EWOULDBLOCK, "ほかのプログラムがファイルを使用中です。"},
        {EISDIR, "通常のファイルではありません。"},
        {ENAMETOOLONG, "ファイル名が長すぎます。"}};
    for (const auto& [code, text] : usual)
        EXPECT_EQ(reasonText(posix::reasonFromErrno(code)), text);

    const ErrorReason io = posix::reasonFromErrno(EPROTO);
    EXPECT_EQ(io.cause, Cause::Other);
    EXPECT_FALSE(io.systemText.empty());
    EXPECT_EQ(reasonText(io), io.systemText);
    EXPECT_EQ(withReason("ファイルをコピーできませんでした。", io),
              "ファイルをコピーできませんでした。\n" + io.systemText);
    EXPECT_EQ(withReason("ファイルをコピーできませんでした。", ErrorReason{}),
              "ファイルをコピーできませんでした。");
}

}  // namespace
}  // namespace vesk::platform
