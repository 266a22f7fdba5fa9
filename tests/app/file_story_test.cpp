// Opening, saving, saving as and backups on real files, with every failure the user can
// meet and its message.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/messages.h"
#include "editor_rig.h"
#include "layout/resource_ids.h"
#include "platform/error.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk::test {
namespace {

using Kind = FakeDialog::Modal::Kind;
using Cause = platform::ErrorReason::Cause;
constexpr std::size_t kBlockStart = EnemyBlock::kImageOffset;

// An error box text: its first line and, below it, the reason.
std::string saying(std::string_view firstLine, Cause cause) {
    return std::string(firstLine) + "\n" + platform::reasonText(platform::ErrorReason::of(cause));
}

class FileStory : public ::testing::Test {
protected:
    void SetUp() override {
        original = tools::makeSampleImage(11);
        writeBytes(imagePath, original);
        rig.start();
    }

    void openImage() {
        ASSERT_TRUE(rig.open(imagePath));
        ASSERT_TRUE(rig.dialog.errors().empty());
    }

    // The image as the user expects it after typing 攻 = 99 for enemy 0 and saving.
    std::vector<std::uint8_t> withAttack99() const {
        auto expected = original;
        expected[kBlockStart + 2] = 99;
        return expected;
    }

    TempDir dir;
    std::string imagePath = dir.path("game.gb");
    std::string backupPath = dir.path("game.gb.bak");
    std::vector<std::uint8_t> original;
    EditorRig rig{dir.path("data.ini")};
};

TEST_F(FileStory, SaveAnsweredYesBacksUpStoresAndWrites) {
    openImage();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(true));
    ASSERT_EQ(rig.dialog.modalCount(Kind::YesNo), 1);
    EXPECT_EQ(rig.dialog.modals[1].text, "データを書き換えます。\nよろしいですか？");
    EXPECT_EQ(rig.dialog.modals[1].caption, "保存確認");
    EXPECT_EQ(readBytes(imagePath), withAttack99());
    EXPECT_EQ(readBytes(backupPath), original) << "the backup holds the image from before";
    EXPECT_TRUE(rig.dialog.errors().empty());
}

TEST_F(FileStory, SaveAnsweredNoDoesNothing) {
    openImage();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(false));
    EXPECT_EQ(readBytes(imagePath), original);
    EXPECT_FALSE(exists(backupPath));
    EXPECT_EQ(rig.block.stat(0, 0), original[kBlockStart + 2]) << "fields not stored";
}

TEST_F(FileStory, SaveWithoutAutomaticBackupMakesNoBackup) {
    openImage();
    rig.toggleBackup();
    ASSERT_TRUE(rig.save(true));
    EXPECT_FALSE(exists(backupPath));
    EXPECT_EQ(readBytes(imagePath), original);
}

TEST_F(FileStory, SecondBackupReplacesTheFirst) {
    openImage();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(true));
    rig.typeStat(0, "98");
    ASSERT_TRUE(rig.save(true));
    EXPECT_EQ(readBytes(backupPath), withAttack99());
}

TEST_F(FileStory, ReplacedAbilityReachesTheImageOnlyWithTheNextSave) {
    openImage();
    rig.replaceAbility(0, 200);
    rig.chooseEnemy(1);
    EXPECT_EQ(readBytes(imagePath), original);
    ASSERT_TRUE(rig.save(true));
    auto expected = original;
    expected[kBlockStart + EnemyBlock::poolEntryOffset(rig.block.abilityStart(0))] = 200;
    EXPECT_EQ(readBytes(imagePath), expected);
}

TEST_F(FileStory, SaveAsCancelledAfterTheBackupKeepsBackupAndStoredFields) {
    openImage();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.saveAs(std::nullopt));
    EXPECT_EQ(readBytes(backupPath), original);
    EXPECT_EQ(rig.block.stat(0, 0), 99);
    EXPECT_EQ(readBytes(imagePath), original);
    EXPECT_EQ(rig.image.currentPath, imagePath);
    EXPECT_TRUE(rig.image.saveAsPath.empty());
}

TEST_F(FileStory, SaveAsOntoANewFileMakesItTheCurrentImage) {
    openImage();
    rig.toggleBackup();
    rig.typeStat(0, "99");
    const auto copy = dir.path("copy.gb");
    ASSERT_TRUE(rig.saveAs(copy));
    EXPECT_EQ(readBytes(copy), withAttack99());
    EXPECT_EQ(readBytes(imagePath), original);
    EXPECT_EQ(rig.image.currentPath, copy);
    EXPECT_EQ(rig.image.saveAsPath, copy);
    // Later saves and backups go to the copy; the chooser starts from the last choice.
    rig.toggleBackup();
    ASSERT_TRUE(rig.save(true));
    EXPECT_TRUE(exists(dir.path("copy.gb.bak")));
    ASSERT_TRUE(rig.saveAs(std::nullopt));
    EXPECT_EQ(rig.dialog.modals.back().text, copy);
}

TEST_F(FileStory, SaveAsOntoAnExistingFileReplacesItWithTheEditedImage) {
    openImage();
    rig.toggleBackup();
    const auto other = dir.path("other.gb");
    writeBytes(other, std::vector<std::uint8_t>(200000, 0xEE));
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.saveAs(other));
    EXPECT_EQ(readBytes(other), withAttack99());
    EXPECT_TRUE(rig.dialog.errors().empty());
}

TEST_F(FileStory, SaveAsOntoItselfWritesInPlaceWithoutTruncating) {
    openImage();
    rig.toggleBackup();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.saveAs(imagePath));
    EXPECT_EQ(readBytes(imagePath), withAttack99());
    EXPECT_EQ(rig.image.currentPath, imagePath);
    EXPECT_TRUE(rig.dialog.errors().empty());
}

TEST_F(FileStory, CancelledOpenChangesNothing) {
    rig.dialog.fileAnswers.push_back(std::nullopt);
    ASSERT_TRUE(rig.dialog.chooseMenu(IDM_OPEN));
    EXPECT_TRUE(rig.image.currentPath.empty());
    EXPECT_FALSE(rig.dialog.enabled(IDC_ENEMY_LIST));
}

TEST_F(FileStory, FailedOpenKeepsThePreviousImageAndSaysWhy) {
    openImage();
    rig.chooseEnemy(9);
    const auto block = rig.block.bytes();
    const auto shortFile = dir.path("short.gb");
    writeBytes(shortFile, std::vector<std::uint8_t>(112367, 1));
    const std::pair<std::string, std::string> cases[] = {
        {dir.path("missing.gb"), saying(messages::kCannotOpen, Cause::NotFound)},
        {dir.root().string(), saying(messages::kCannotOpen, Cause::NotRegularFile)},
        {shortFile, saying(messages::kTooShort, Cause::TooShort)}};
    for (const auto& [path, message] : cases) {
        ASSERT_TRUE(rig.open(path));
        EXPECT_EQ(rig.dialog.errors().back(), message) << path;
        EXPECT_EQ(rig.dialog.modals.back().caption, "エラー");
        EXPECT_EQ(rig.image.currentPath, imagePath) << path;
        EXPECT_EQ(rig.block.bytes(), block) << path;
    }
    EXPECT_EQ(readBytes(shortFile).size(), 112367u);
    EXPECT_EQ(rig.controller.currentEnemy(), 9);
    // The next open chooser starts from the image still open.
    rig.dialog.fileAnswers.push_back(std::nullopt);
    rig.dialog.chooseMenu(IDM_OPEN);
    EXPECT_EQ(rig.dialog.modals.back().text, imagePath);
}

TEST_F(FileStory, OpeningAnotherImageShowsTheSameEnemyNumberAndDropsEdits) {
    openImage();
    rig.chooseEnemy(12);
    rig.typeStat(0, "1");
    const auto second = dir.path("second.gb");
    ASSERT_TRUE(tools::writeSampleImage(second, 99));
    ASSERT_TRUE(rig.open(second));
    EXPECT_EQ(rig.controller.currentEnemy(), 12);
    EXPECT_EQ(rig.statShown(0), std::to_string(rig.block.stat(12, 0)));
    EXPECT_EQ(rig.block.bytes()[0], tools::makeSampleImage(99)[kBlockStart]);
}

TEST_F(FileStory, FailedBackupStopsTheSaveBeforeAnythingIsWritten) {
    openImage();
    std::filesystem::create_directory(std::filesystem::u8path(backupPath));
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(true));
    EXPECT_EQ(rig.dialog.errors(),
              std::vector<std::string>{saying(messages::kBackupFailed, Cause::NotRegularFile)});
    EXPECT_EQ(readBytes(imagePath), original);
    ASSERT_TRUE(rig.saveAs(dir.path("never.gb")));
    EXPECT_EQ(rig.dialog.errors().size(), 2u);
    EXPECT_EQ(rig.dialog.modalCount(Kind::SaveChooser), 0) << "stopped before the chooser";
    EXPECT_FALSE(exists(dir.path("never.gb")));
}

// A backup name planted as a link to another file becomes the backup; that file stays.
TEST_F(FileStory, ABackupNameThatIsALinkGetsABackupOfItsOwn) {
    const std::string other = dir.path("other.gb");
    writeText(other, "someone else's file");
    if (!makeSymlink(other, backupPath)) GTEST_SKIP() << "no symbolic links here";
    openImage();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(true));
    EXPECT_TRUE(rig.dialog.errors().empty());
    EXPECT_EQ(readBytes(backupPath), original);
    EXPECT_EQ(readText(other), "someone else's file");
}

TEST_F(FileStory, FailedWriteIsReportedAndTheEditsStayForALaterSave) {
    openImage();
    rig.toggleBackup();
    rig.typeStat(0, "99");
    std::filesystem::remove(std::filesystem::u8path(imagePath));
    ASSERT_TRUE(rig.save(true));
    EXPECT_EQ(rig.dialog.errors().back(), saying(messages::kWriteFailed, Cause::NotFound));
    EXPECT_FALSE(exists(imagePath)) << "a missing image is never created";
    writeBytes(imagePath, original);
    ASSERT_TRUE(rig.save(true));
    EXPECT_EQ(readBytes(imagePath), withAttack99());
}

// The previous backup is only replaced by a save that can write the image.
TEST_F(FileStory, ASaveThatCannotWriteTheImageKeepsThePreviousBackup) {
    namespace fs = std::filesystem;
    const auto readOnly = [](const std::string& path, bool on) {
        fs::permissions(fs::u8path(path),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        on ? fs::perm_options::remove : fs::perm_options::add);
    };
    struct Case {
        const char* name;
        bool removeImage;  // else read-only
        Cause cause;
    };
    for (const Case& c : {Case{"read-only image", false, Cause::AccessDenied},
                          Case{"image gone", true, Cause::NotFound}}) {
        SCOPED_TRACE(c.name);
        writeBytes(imagePath, original);
        ASSERT_TRUE(rig.open(imagePath));
        writeText(backupPath, "the previous backup");
        if (c.removeImage) {
            fs::remove(fs::u8path(imagePath));
        } else {
            readOnly(imagePath, true);
        }
        rig.typeStat(0, "99");
        ASSERT_TRUE(rig.save(true));
        EXPECT_EQ(rig.dialog.errors().back(), saying(messages::kWriteFailed, c.cause));
        EXPECT_TRUE(readText(backupPath) == "the previous backup") << "the backup was replaced";
        if (!c.removeImage) {
            EXPECT_TRUE(readBytes(imagePath) == original);
            readOnly(imagePath, false);
        }
    }
}

TEST_F(FileStory, FailedCopyKeepsTheCurrentImageAndWritesNothing) {
    openImage();
    rig.toggleBackup();
    rig.typeStat(0, "99");
    const auto target = dir.path("no-such-dir/copy.gb");
    ASSERT_TRUE(rig.saveAs(target));
    EXPECT_EQ(rig.dialog.errors().back(), saying(messages::kCopyFailed, Cause::NotFound));
    EXPECT_EQ(rig.image.currentPath, imagePath);
    EXPECT_EQ(rig.image.saveAsPath, target) << "the chooser starts there next time";
    EXPECT_EQ(readBytes(imagePath), original);
}

TEST_F(FileStory, JapaneseNamesWork) {
    const auto dirName = dir.path("表ソ能");
    std::filesystem::create_directory(std::filesystem::u8path(dirName));
    const auto image = dirName + "/ソフト表.gb";
    writeBytes(image, original);
    ASSERT_TRUE(rig.open(image));
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(true));
    EXPECT_EQ(readBytes(image), withAttack99());
    EXPECT_EQ(readBytes(dirName + "/ソフト表.gb.bak"), original);
}

}  // namespace
}  // namespace vesk::test
