// Every error box says why: the reason is taken where a file operation fails, carried up
// and put below the box's first line.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

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
        testing::writeBytes(image, tools::makeSampleImage(3));
    }
    Cause openCause(const std::string& path, File::Access access) {
        File file;
        EXPECT_FALSE(file.openExisting(path, access)) << path;
        return file.lastError().cause;
    }
    testing::TempDir dir;
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
    EXPECT_EQ(testing::asUnprivilegedUser([&] {
                  File file;
                  const bool opened = file.openExisting(image, File::Access::WriteExclusive);
                  return !opened && file.lastError().cause == Cause::AccessDenied ? 0 : 1;
              }),
              0);
}

TEST_F(ErrorReasons, ASaveIntoAReadOnlyImageSaysItCouldNotWriteAndWhy) {
    ASSERT_EQ(::chmod(image.c_str(), 0444), 0);
    const auto before = testing::readBytes(image);
    const std::string expected = std::string(messages::kWriteFailed) + "\n" +
                                 reasonText(ErrorReason::of(Cause::AccessDenied));
    EXPECT_EQ(expected, "ファイルに書き込めませんでした。\nアクセスが拒否されました。");
    EXPECT_EQ(testing::asUnprivilegedUser([&] {
                  testing::EditorRig rig("");
                  rig.start();
                  if (!rig.open(image) || !rig.dialog.errors().empty()) return 1;
                  rig.toggleBackup();  // the backup beside the image could not be made either
                  rig.typeStat(0, "99");
                  rig.save(true);
                  if (rig.dialog.errors().size() != 1) return 2;
                  return rig.dialog.errors().back() == expected ? 0 : 3;
              }),
              0);
    EXPECT_EQ(testing::readBytes(image), before);
}

TEST_F(ErrorReasons, AFileShorterThanTheEnemyDataSaysSo) {
    testing::writeBytes(image, testing::Bytes(ImageFile::kMinimumSize - 1, 0));
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

    const ErrorReason io = posix::reasonFromErrno(EIO);
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
