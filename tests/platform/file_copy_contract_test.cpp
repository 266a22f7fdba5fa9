// What every realisation of platform/file_copy.h promises, on each platform that has one.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "one_file_fixture.h"
#include "platform/file_copy.h"
#include "test_files.h"

namespace vesk::platform {
namespace {

using namespace test;  // the shared test files and helpers

class FileCopyContract : public OneFileFixture {};

TEST_F(FileCopyContract, CopyWithoutReplaceLeavesAnExistingTarget) {
    const std::string target = dir.path("target.bin");
    ASSERT_TRUE(copyFile(path, target, false));
    EXPECT_EQ(readBytes(target), content);

    writeBytes(target, Bytes{9});
    EXPECT_FALSE(copyFile(path, target, false));
    EXPECT_EQ(readBytes(target), Bytes{9});
    EXPECT_TRUE(copyFile(path, target, true));
    EXPECT_EQ(readBytes(target), content);
}

TEST_F(FileCopyContract, CopyFailuresLeaveEveryFileAsItWas) {
    std::filesystem::create_directory(pathFromUtf8(dir.path("sub")));
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

TEST_F(FileCopyContract, CopyOfAnEmptyFileIsEmpty) {
    writeBytes(path, {});
    ASSERT_TRUE(copyFile(path, dir.path("表.bin"), false));
    EXPECT_TRUE(std::filesystem::exists(pathFromUtf8(dir.path("表.bin"))));
    EXPECT_TRUE(readBytes(dir.path("表.bin")).empty());
}

// A name the program made up stands for nothing the user chose: a link there is replaced by
// a file of its own, and whatever it led to keeps its content.
TEST_F(FileCopyContract, CopyReplacingNameReplacesALinkNotWhatItLeadsTo) {
    struct Case {
        const char* name;
        bool symbolic, toSource;  // else a hard link, to another file
    };
    const Case cases[] = {
        {"symbolic, to the source", true, true},
        {"symbolic, to another file", true, false},
        {"hard, to the source", false, true},
        {"hard, to another file", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir here;
        const std::string other = here.path("other.bin"), target = here.path("file.bin.bak");
        writeBytes(other, Bytes{9, 9});
        const std::string& linked = c.toSource ? path : other;
        if (!c.symbolic) {
            std::filesystem::create_hard_link(pathFromUtf8(linked), pathFromUtf8(target));
        } else if (!makeSymlink(linked, target)) {
            continue;  // the system does not let us
        }
        ErrorReason reason;
        ASSERT_TRUE(copyReplacingName(path, target, reason)) << reason.systemText;
        EXPECT_FALSE(sameFile(target, linked));
        EXPECT_EQ(readBytes(target), content);
        EXPECT_EQ(readBytes(other), (Bytes{9, 9}));
        EXPECT_EQ(snapshot(here.root()).size(), 2u) << "no temporary file left";
    }
}

TEST_F(FileCopyContract, SameFileComparesFilesNotSpellings) {
    writeBytes(dir.path("other.bin"), content);
    EXPECT_TRUE(sameFile(path, path));
    EXPECT_TRUE(sameFile(path, dir.path("./file.bin")));
    EXPECT_FALSE(sameFile(path, dir.path("other.bin")));
    EXPECT_FALSE(sameFile(path, dir.path("missing.bin")));
    EXPECT_FALSE(sameFile(dir.path("missing.bin"), dir.path("missing.bin")));
}

}  // namespace
}  // namespace vesk::platform
