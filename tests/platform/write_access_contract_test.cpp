// What every realisation of platform/write_access.h promises, on each platform that has
// one: the questions are answered by the file system itself and change nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/write_access.h"
#include "test_files.h"
#ifndef _WIN32
#include "unprivileged.h"
#endif

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using namespace test;  // the shared test files and helpers

constexpr auto kWriteBits =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// The answer to `question` for an ordinary user, to whom permissions apply: on POSIX
// asked as user nobody in a child when the tests run as root, on Windows by the test
// itself. Nothing when the child could not ask.
std::optional<bool> askedAsAnOrdinaryUser(const std::function<bool()>& question) {
#ifdef _WIN32
    return question();
#else
    const int answer = asUnprivilegedUser([&] { return question() ? 1 : 0; });
    if (answer != 0 && answer != 1) return std::nullopt;
    return answer == 1;
#endif
}

// Makes `path` the ordinary user's own (on POSIX, when the tests run as root) so that its
// permission bits, not its owner, decide.
void giveToTheOrdinaryUser(const std::string& path) {
#ifndef _WIN32
    giveToUnprivilegedUser(path);
#else
    (void)path;
#endif
}

class WriteAccessContract : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        // Reachable by the ordinary user whatever the test's umask.
        fs::permissions(dir.root(), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
#endif
        writeText(file, "x");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(pathFromUtf8(file), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    std::string root() const { return utf8FromPath(dir.root()); }

    TempDir dir;
    std::string file = dir.path("表ソ能.ini");
};

TEST_F(WriteAccessContract, AWritableFileIsToldSoAndLeftAsItWas) {
    const auto written = fs::last_write_time(pathFromUtf8(file));
    EXPECT_TRUE(canWriteFile(file));
    EXPECT_EQ(readText(file), "x");
    EXPECT_EQ(fs::last_write_time(pathFromUtf8(file)), written);
}

TEST_F(WriteAccessContract, OnlyAnExistingRegularFileCanBeWritten) {
    EXPECT_FALSE(canWriteFile(dir.path("missing.ini")));
    EXPECT_FALSE(canWriteFile(dir.path("missing/data.ini")));
    EXPECT_FALSE(canWriteFile(root()));
    EXPECT_FALSE(canWriteFile(""));
    EXPECT_EQ(snapshot(dir.root()).size(), 1u) << "asking made nothing";
}

TEST_F(WriteAccessContract, AReadOnlyFileCannotBeWritten) {
    giveToTheOrdinaryUser(file);
    EXPECT_EQ(askedAsAnOrdinaryUser([&] { return canWriteFile(file); }), true) << "their own";
    fs::permissions(pathFromUtf8(file), kWriteBits, fs::perm_options::remove);
    EXPECT_EQ(askedAsAnOrdinaryUser([&] { return canWriteFile(file); }), false);
    // Read-only for everyone, the superuser too: writing it would be refused as well.
    EXPECT_FALSE(canWriteFile(file));
    EXPECT_EQ(readText(file), "x");
}

TEST_F(WriteAccessContract, AFileCanBeCreatedInAWritableFolderAndTheProbeLeavesNothing) {
    const std::string folder = dir.path("設定");
    fs::create_directory(pathFromUtf8(folder));
    EXPECT_TRUE(canCreateFileIn(folder));
    EXPECT_TRUE(canCreateFileIn(dir.path("設定/")));
    EXPECT_TRUE(canCreateFileIn(root()));
    EXPECT_TRUE(fs::is_empty(pathFromUtf8(folder))) << "the probe file is gone";
    EXPECT_EQ(snapshot(dir.root()).size(), 2u);
}

TEST_F(WriteAccessContract, NoFileCanBeCreatedInAMissingFolderOrInAFile) {
    EXPECT_FALSE(canCreateFileIn(dir.path("missing")));
    EXPECT_FALSE(canCreateFileIn(file));
    EXPECT_FALSE(canCreateFileIn(""));
    EXPECT_FALSE(exists(dir.path("missing"))) << "asking made no folder";
    EXPECT_EQ(readText(file), "x");
}

#ifndef _WIN32
// Windows lets a read-only folder take new files; only access lists, which Wine does not
// enforce, refuse them there.
TEST_F(WriteAccessContract, NoFileCanBeCreatedInAFolderTheUserMayNotWrite) {
    const std::string folder = dir.path("theirs");
    fs::create_directory(pathFromUtf8(folder));
    giveToTheOrdinaryUser(folder);
    EXPECT_EQ(askedAsAnOrdinaryUser([&] { return canCreateFileIn(folder); }), true);
    fs::permissions(pathFromUtf8(folder), kWriteBits, fs::perm_options::remove);
    EXPECT_EQ(askedAsAnOrdinaryUser([&] { return canCreateFileIn(folder); }), false);
    EXPECT_TRUE(fs::is_empty(pathFromUtf8(folder)));
}
#endif

// A folder that refuses new files even to the superuser: the kernel's process list on
// Linux, seen through Wine's drive for the root folder on Windows.
TEST_F(WriteAccessContract, NoFileCanBeCreatedInAFolderTheSystemKeeps) {
#ifdef _WIN32
    const std::string kept = "Z:\\proc\\";
#else
    const std::string kept = "/proc/";
#endif
    if (!fs::is_directory(pathFromUtf8(kept))) {
        GTEST_SKIP() << kept << " does not exist here (not under Wine)";
    }
    EXPECT_FALSE(canCreateFileIn(kept));
}

TEST_F(WriteAccessContract, CreatesEveryMissingFolderOfANestedPath) {
    const std::string nested = dir.path("a/表/c");
    EXPECT_TRUE(createDirectories(nested));
    EXPECT_TRUE(fs::is_directory(pathFromUtf8(nested)));
    EXPECT_TRUE(canCreateFileIn(nested));
    EXPECT_TRUE(createDirectories(nested)) << "one that exists is fine";
    EXPECT_TRUE(createDirectories(dir.path("a/表/d/")));
    EXPECT_TRUE(fs::is_directory(pathFromUtf8(dir.path("a/表/d"))));
    EXPECT_TRUE(createDirectories(root()));
}

TEST_F(WriteAccessContract, CreatesNoFolderThroughOrOverAFile) {
    EXPECT_FALSE(createDirectories(dir.path("表ソ能.ini/sub")));
    EXPECT_FALSE(createDirectories(file));
    EXPECT_FALSE(createDirectories(""));
    EXPECT_EQ(readText(file), "x");
    EXPECT_EQ(snapshot(dir.root()).size(), 1u);
}

#ifndef _WIN32
TEST_F(WriteAccessContract, CreatesNoFolderWhereTheUserMayNotWrite) {
    const std::string folder = dir.path("theirs");
    fs::create_directory(pathFromUtf8(folder));
    giveToTheOrdinaryUser(folder);
    fs::permissions(pathFromUtf8(folder), kWriteBits, fs::perm_options::remove);
    EXPECT_EQ(askedAsAnOrdinaryUser([&] { return createDirectories(folder + "/a/b"); }), false);
    EXPECT_TRUE(fs::is_empty(pathFromUtf8(folder)));
}
#endif

}  // namespace
}  // namespace vesk::platform
