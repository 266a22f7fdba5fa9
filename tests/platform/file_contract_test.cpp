// What every realisation of platform/file.h promises, on each platform that has one.
#include <gtest/gtest.h>

#include <array>

#include "one_file_fixture.h"
#include "platform/file.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

using namespace test;  // the shared test files and helpers

using Access = File::Access;

class FileContract : public OneFileFixture {};

TEST_F(FileContract, OpensOnlyExistingRegularFiles) {
    std::filesystem::create_directory(pathFromUtf8(dir.path("sub")));
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

TEST_F(FileContract, ReadsAndWritesAtAnOffset) {
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

TEST_F(FileContract, ReadersShareAndAWriterKeepsEveryoneElseOut) {
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

}  // namespace
}  // namespace vesk::platform
