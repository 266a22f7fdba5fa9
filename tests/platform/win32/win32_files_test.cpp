// What the Win32 file, copy and own-path operations add beyond the portable contract:
// wide-character names, device names, attributes and share modes of other handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/own_path.h"
#include "platform/win32/wide_text.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

using namespace test;  // the shared test files and helpers

using win32::toWide;
using Access = File::Access;
using Cause = ErrorReason::Cause;

class Win32FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(pathFromUtf8(dir.path("表ソ能")));
        writeBytes(source, content);
    }
    void TearDown() override {
        // Read-only files would stop the directory from going.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.root())) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }

    static DWORD attributesOf(const std::string& path) {
        return GetFileAttributesW(toWide(path).c_str());
    }

    TempDir dir;
    // A Japanese directory and name, written with the Windows separator.
    std::string source = dir.path("表ソ能") + "\\ソ能.gb";
    Bytes content = Bytes{10, 20, 30, 40, 50};
};

TEST_F(Win32FilesTest, WideNamesReachTheFileUnchanged) {
    File file;
    ASSERT_TRUE(file.openExisting(source, Access::WriteExclusive));
    const std::uint8_t patch = 99;
    EXPECT_TRUE(file.writeAt(4, &patch, 1));
    file.close();
    EXPECT_EQ(readBytes(dir.path("表ソ能/ソ能.gb")), (Bytes{10, 20, 30, 40, 99}));
    EXPECT_TRUE(sameFile(source, dir.path("表ソ能/ソ能.gb")));
    EXPECT_TRUE(sameFile(source, dir.path("表ソ能") + "\\..\\表ソ能\\ソ能.gb"));
}

TEST_F(Win32FilesTest, DevicesAreNotFiles) {
    for (const char* device : {"NUL", "CON", "\\\\.\\NUL"}) {
        File file;
        EXPECT_FALSE(file.openExisting(device, Access::ReadShared)) << device;
        EXPECT_FALSE(file.openExisting(device, Access::WriteExclusive)) << device;
    }
}

TEST_F(Win32FilesTest, AnotherHandleWithoutWriteSharingKeepsTheWriterOut) {
    // Another program reading the image without letting writers in.
    HANDLE reader = CreateFileW(toWide(source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    File shared, exclusive;
    EXPECT_TRUE(shared.openExisting(source, Access::ReadShared));
    EXPECT_FALSE(exclusive.openExisting(source, Access::WriteExclusive));
    CloseHandle(reader);
}

TEST_F(Win32FilesTest, ACopyCarriesTheReadOnlyAttribute) {
    ASSERT_TRUE(SetFileAttributesW(toWide(source).c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string target = dir.path("コピー.gb");
    ASSERT_TRUE(copyFile(source, target, false));
    EXPECT_EQ(readBytes(target), content);
    EXPECT_NE(attributesOf(target) & FILE_ATTRIBUTE_READONLY, 0u);
}

// A read-only target, and one another program holds open without letting writers in, are
// refused before anything is written: the old file stays and no temporary copy is left.
TEST_F(Win32FilesTest, AReadOnlyOrBusyTargetIsRefusedAndKept) {
    const std::string target = dir.path("target.gb");
    const auto expectKept = [&](Cause expected) {
        ErrorReason reason;
        EXPECT_FALSE(copyFile(source, target, true, reason));
        EXPECT_EQ(reason.cause, expected) << reason.systemText;
        EXPECT_EQ(readBytes(target), Bytes{1});
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.root())) {
            files += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(files, 1u);
    };

    writeBytes(target, Bytes{1});
    ASSERT_TRUE(SetFileAttributesW(toWide(target).c_str(), FILE_ATTRIBUTE_READONLY));
    expectKept(Cause::AccessDenied);

    SetFileAttributesW(toWide(target).c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE holder = CreateFileW(toWide(target).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    expectKept(Cause::InUse);
    CloseHandle(holder);
}

// A replaced file keeps its own attributes (here: hidden), as a file replaced on POSIX
// keeps its owner and mode.
TEST_F(Win32FilesTest, AReplacedTargetKeepsItsAttributes) {
    const std::string target = dir.path("target.gb");
    writeBytes(target, Bytes{1});
    ASSERT_TRUE(SetFileAttributesW(toWide(target).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(copyFile(source, target, true));
    EXPECT_EQ(readBytes(target), content);
    EXPECT_NE(attributesOf(target) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(Win32FilesTest, SuccessfulCopiesLeaveOnlyTheirTargets) {
    ASSERT_TRUE(copyFile(source, dir.path("a.gb"), false));
    ASSERT_TRUE(copyFile(source, dir.path("a.gb"), true));
    ASSERT_TRUE(copyFile(source, source, true)) << "onto itself the content stays";
    EXPECT_EQ(readBytes(source), content);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.root())) {
        names.insert(utf8FromPath(entry.path().filename()));
    }
    EXPECT_EQ(names, (std::set<std::string>{"表ソ能", "ソ能.gb", "a.gb"}));
}

TEST(Win32OwnPath, IsTheRunningProgramWithItsDrive) {
    const std::string path = ownProgramPath();
    ASSERT_GT(path.size(), 3u);
    EXPECT_EQ(path[1], ':');
    EXPECT_EQ(path.substr(path.size() - 24), "win32_platform_tests.exe");
    EXPECT_NE(GetFileAttributesW(toWide(path).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32WideText, RoundTripsEveryPlane) {
    const std::string text = "GB版Vesk1 敵キャラ ＭＳ Ｐゴシック 𠮷";
    EXPECT_EQ(win32::toUtf8(toWide(text)), text);
    EXPECT_EQ(toWide("表").size(), 1u);
    EXPECT_EQ(toWide("𠮷").size(), 2u);
    EXPECT_EQ(toWide(""), L"");
    EXPECT_EQ(toWide("\xff"), L"\xfffd") << "ill-formed input is replaced, not dropped";
}

}  // namespace
}  // namespace vesk::platform
