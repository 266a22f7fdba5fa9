#include <gtest/gtest.h>

#include <array>

#include "platform/file.h"
#include "platform/file_copy.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

using testing::Bytes;
using testing::readBytes;
using testing::snapshot;
using testing::writeBytes;
using Access = File::Access;

class PlatformFileTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    std::string path = dir.path("file.bin");
    Bytes content = Bytes{1, 2, 3, 4, 5, 6, 7, 8};
    void SetUp() override { writeBytes(path, content); }
};

TEST_F(PlatformFileTest, OpensOnlyExistingRegularFiles) {
    std::filesystem::create_directory(testing::pathFromUtf8(dir.path("sub")));
    const auto before = snapshot(dir.root());
    for (const Access access : {Access::ReadShared, Access::WriteExclusive}) {
        File file;
        EXPECT_FALSE(file.openExisting(dir.path("missing.bin"), access));
        EXPECT_FALSE(file.openExisting(dir.path("sub"), access));
        EXPECT_FALSE(file.openExisting("", access));
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(file.size(), -1);
        std::array<char, 4> buffer{};
        EXPECT_EQ(file.readAt(0, buffer.data(), buffer.size()), -1);
        EXPECT_FALSE(file.writeAt(0, buffer.data(), buffer.size()));
        EXPECT_FALSE(file.flush());
    }
    EXPECT_EQ(snapshot(dir.root()), before);
}

TEST_F(PlatformFileTest, ReadsAndWritesAtAnOffset) {
    File file;
    ASSERT_TRUE(file.openExisting(path, Access::WriteExclusive));
    EXPECT_EQ(file.size(), 8);
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(file.readAt(2, buffer.data(), 4), 4);
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{3, 4, 5, 6}));
    EXPECT_EQ(file.readAt(6, buffer.data(), 4), 2);
    EXPECT_EQ(file.readAt(100, buffer.data(), 4), 0);
    const std::array<std::uint8_t, 2> patch{0xAA, 0xBB};
    EXPECT_TRUE(file.writeAt(3, patch.data(), patch.size()));
    EXPECT_TRUE(file.flush());
    file.close();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(readBytes(path), (Bytes{1, 2, 3, 0xAA, 0xBB, 6, 7, 8}));
}

TEST_F(PlatformFileTest, ReadersShareAndAWriterKeepsEveryoneElseOut) {
    {
        File writer, other;
        ASSERT_TRUE(writer.openExisting(path, Access::WriteExclusive));
        EXPECT_FALSE(other.openExisting(path, Access::ReadShared));
        EXPECT_FALSE(other.openExisting(path, Access::WriteExclusive));
    }
    {
        File reader, second, writer;
        ASSERT_TRUE(reader.openExisting(path, Access::ReadShared));
        EXPECT_TRUE(second.openExisting(path, Access::ReadShared));
        EXPECT_FALSE(writer.openExisting(path, Access::WriteExclusive));
        reader.close();
        second.close();
        EXPECT_TRUE(writer.openExisting(path, Access::WriteExclusive));
    }
    EXPECT_EQ(readBytes(path), content);
}

TEST_F(PlatformFileTest, CopyWithoutReplaceLeavesAnExistingTarget) {
    const std::string target = dir.path("target.bin");
    ASSERT_TRUE(copyFile(path, target, false));
    EXPECT_EQ(readBytes(target), content);

    writeBytes(target, Bytes{9});
    EXPECT_FALSE(copyFile(path, target, false));
    EXPECT_EQ(readBytes(target), Bytes{9});
    EXPECT_TRUE(copyFile(path, target, true));
    EXPECT_EQ(readBytes(target), content);
}

TEST_F(PlatformFileTest, CopyFailuresLeaveEveryFileAsItWas) {
    std::filesystem::create_directory(testing::pathFromUtf8(dir.path("sub")));
    writeBytes(dir.path("sub/inside"), Bytes{4});
    const auto before = snapshot(dir.root());
    for (const bool replace : {false, true}) {
        EXPECT_FALSE(copyFile(dir.path("missing.bin"), dir.path("copy.bin"), replace));
        EXPECT_FALSE(copyFile(dir.path("sub"), dir.path("copy.bin"), replace));
        EXPECT_FALSE(copyFile(path, dir.path("sub"), replace));
        EXPECT_FALSE(copyFile(path, dir.path("nowhere/copy.bin"), replace));
        EXPECT_FALSE(copyFile(path, "", replace));
        EXPECT_EQ(snapshot(dir.root()), before);
    }
}

TEST_F(PlatformFileTest, CopyOfAnEmptyFileIsEmpty) {
    writeBytes(path, {});
    ASSERT_TRUE(copyFile(path, dir.path("表.bin"), false));
    EXPECT_TRUE(std::filesystem::exists(testing::pathFromUtf8(dir.path("表.bin"))));
    EXPECT_TRUE(readBytes(dir.path("表.bin")).empty());
}

TEST_F(PlatformFileTest, SameFileComparesFilesNotSpellings) {
    writeBytes(dir.path("other.bin"), content);
    EXPECT_TRUE(sameFile(path, path));
    EXPECT_TRUE(sameFile(path, dir.path("./file.bin")));
    EXPECT_FALSE(sameFile(path, dir.path("other.bin")));
    EXPECT_FALSE(sameFile(path, dir.path("missing.bin")));
    EXPECT_FALSE(sameFile(dir.path("missing.bin"), dir.path("missing.bin")));
}

}  // namespace
}  // namespace vesk::platform
