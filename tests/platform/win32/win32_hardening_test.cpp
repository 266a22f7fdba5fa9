// The Windows side of the hardening: save-as and backup targets that another program
// holds open or that are devices, a read-only settings file, and the reasons carried up
// from GetLastError.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "editor_rig.h"
#include "io/image_file.h"
#include "io/profile.h"
#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

using Cause = ErrorReason::Cause;
using test::Bytes;
using test::readBytes;
using test::writeBytes;
using win32::toWide;

class Win32Hardening : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(source, Bytes(ImageFile::kMinimumSize, 7));
        writeBytes(target, Bytes{1, 2, 3});
    }
    void TearDown() override {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.root())) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    // Another program's handle on the target, sharing nothing.
    win32::UniqueHandle holdTarget() const {
        return win32::UniqueHandle(CreateFileW(toWide(target).c_str(), GENERIC_READ | GENERIC_WRITE,
                                               0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(dir.root()),
                          std::filesystem::directory_iterator()));
    }

    test::TempDir dir;
    std::string source = dir.path("game.gb");
    std::string target = dir.path("game.gb.bak");
};

TEST_F(Win32Hardening, ATargetAnotherProgramHoldsIsNotReplaced) {
    {
        const win32::UniqueHandle held = holdTarget();
        ASSERT_TRUE(held.valid());
        ErrorReason reason;
        EXPECT_FALSE(copyFile(source, target, true, reason));
        EXPECT_EQ(reason.cause, Cause::InUse) << reason.systemText;

        ImageFile image;
        image.currentPath = source;
        EXPECT_FALSE(image.backup());
        EXPECT_EQ(image.lastError().cause, Cause::InUse);
        EXPECT_FALSE(image.copyCurrentTo(target));
        EXPECT_EQ(image.lastError().cause, Cause::InUse);
        EXPECT_EQ(entries(), 2u) << "no temporary file left";
    }
    EXPECT_EQ(readBytes(target), (Bytes{1, 2, 3}));
    EXPECT_TRUE(copyFile(source, target, true));
}

TEST_F(Win32Hardening, DevicesAndFoldersAreNotTargets) {
    std::filesystem::create_directory(test::pathFromUtf8(dir.path("folder.gb")));
    for (const std::string& device :
         {std::string("NUL"), std::string("CON"), dir.path("NUL"), dir.path("folder.gb")}) {
        ErrorReason reason;
        EXPECT_FALSE(copyFile(source, device, true, reason)) << device;
        EXPECT_EQ(reason.cause, Cause::NotRegularFile) << device << ": " << reason.systemText;
    }
    EXPECT_EQ(entries(), 3u);
}

TEST_F(Win32Hardening, AReadOnlySettingsFileIsNotWritten) {
    const std::string ini = dir.path("data.ini");
    test::writeText(ini, "[Vesk Tool]\r\nbackup=0\r\n");
    ASSERT_TRUE(SetFileAttributesW(toWide(ini).c_str(), FILE_ATTRIBUTE_READONLY));
    ErrorReason reason;
    EXPECT_FALSE(writeProfileString(ini, "Vesk Tool", "backup", "1", reason));
    EXPECT_EQ(reason.cause, Cause::AccessDenied);
    EXPECT_EQ(test::readText(ini), "[Vesk Tool]\r\nbackup=0\r\n");
    EXPECT_EQ(profileInt(ini, "Vesk Tool", "backup", -1), 0);
}

TEST_F(Win32Hardening, ANewSettingsFileHasWindowsLineEndsAndAnOldOneKeepsItsOwn) {
    const std::string ini = dir.path("data.ini");
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "1"));
    EXPECT_EQ(test::readText(ini), "[Vesk Tool]\r\nbackup=1\r\n");
    test::writeText(ini, "[Vesk Tool]\nbackup=1\n");
    ASSERT_TRUE(writeProfileString(ini, "Vesk Tool", "backup", "0"));
    EXPECT_EQ(test::readText(ini), "[Vesk Tool]\nbackup=0\n");
}

TEST_F(Win32Hardening, ReasonsComeFromWhereTheFailureHappened) {
    File file;
    EXPECT_FALSE(file.openExisting(dir.path("missing.gb"), File::Access::ReadShared));
    EXPECT_EQ(file.lastError().cause, Cause::NotFound);
    EXPECT_EQ(file.lastError().systemCode, static_cast<int>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(file.openExisting(dir.root().string(), File::Access::ReadShared));
    EXPECT_EQ(file.lastError().cause, Cause::NotRegularFile);
    {
        const win32::UniqueHandle held = holdTarget();
        EXPECT_FALSE(file.openExisting(target, File::Access::WriteExclusive));
        EXPECT_EQ(file.lastError().cause, Cause::InUse);
    }
    SetFileAttributesW(toWide(target).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(file.openExisting(target, File::Access::WriteExclusive));
    EXPECT_EQ(file.lastError().cause, Cause::AccessDenied);
    EXPECT_EQ(reasonText(file.lastError()), "アクセスが拒否されました。");

    EXPECT_EQ(win32::reasonFromError(ERROR_DISK_FULL).cause, Cause::DiskFull);
    EXPECT_EQ(win32::reasonFromError(ERROR_WRITE_PROTECT).cause, Cause::ReadOnlyDisk);
    EXPECT_EQ(win32::reasonFromError(ERROR_FILENAME_EXCED_RANGE).cause, Cause::NameTooLong);
    EXPECT_EQ(win32::reasonFromError(ERROR_CRC).cause, Cause::DeviceError);
    const ErrorReason other = win32::reasonFromError(ERROR_PIPE_BUSY);
    EXPECT_EQ(other.cause, Cause::Other);
    EXPECT_FALSE(other.systemText.empty());
    EXPECT_EQ(reasonText(other), other.systemText);
}

TEST_F(Win32Hardening, ASaveIntoAReadOnlyImageSaysItCouldNotWriteAndWhy) {
    writeBytes(source, tools::makeSampleImage(4));
    const Bytes before = readBytes(source);
    ASSERT_TRUE(SetFileAttributesW(toWide(source).c_str(), FILE_ATTRIBUTE_READONLY));
    test::EditorRig rig("");
    rig.start();
    ASSERT_TRUE(rig.open(source));
    rig.toggleBackup();
    rig.typeStat(0, "99");
    ASSERT_TRUE(rig.save(true));
    ASSERT_EQ(rig.dialog.errors().size(), 1u);
    EXPECT_EQ(rig.dialog.errors().back(),
              "ファイルに書き込めませんでした。\nアクセスが拒否されました。");
    EXPECT_EQ(readBytes(source), before);
}

}  // namespace
}  // namespace vesk::platform
