// The command's file errors end with the reason the window's error boxes give, taken
// where the failure happened.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>

#include "cli/vesk_command.h"
#include "data/enemy_block.h"
#include "sample_image.h"
#include "test_files.h"
#ifndef _WIN32
#include "unprivileged.h"
#endif

namespace vesk::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNotFound = "ファイルが見つかりません。";
constexpr const char* kNotRegularFile = "通常のファイルではありません。";
constexpr const char* kAccessDenied = "アクセスが拒否されました。";

// Runs `body` as a user whom file permissions hold back: on POSIX an unprivileged user
// when the tests run as the superuser, on Windows the test's own user, whom the
// read-only flag holds back alike.
int asOrdinaryUser(const std::function<int()>& body) {
#ifdef _WIN32
    return body();
#else
    return test::asUnprivilegedUser(body);
#endif
}

void makeReadOnly(const std::string& path) {
    fs::permissions(test::pathFromUtf8(path),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

void makeWritable(const std::string& path) {
    fs::permissions(test::pathFromUtf8(path), fs::perms::owner_write, fs::perm_options::add);
}

class VeskReasonTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Others may look into the folder but not write there.
        fs::permissions(dir.root(), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
        test::Bytes bytes = tools::makeSampleImage(1);
        test::writeBytes(image, bytes);
        std::ostringstream out, err;
        ASSERT_EQ(runVesk({"export", image, "-o", table}, out, err), 0) << err.str();
        // The image then differs from the table in the attack of enemy 000, so an import
        // has something to write.
        bytes[EnemyBlock::kImageOffset + 2] ^= 1;
        test::writeBytes(image, bytes);
    }

    // Runs a command, as an ordinary user, that must fail with exit code 1 and leave
    // every file as it was, and checks that its message holds `expected`.
    void expectRefusal(const std::vector<std::string>& arguments, const std::string& expected) {
        const auto before = test::snapshot(dir.root());
        const int outcome = asOrdinaryUser([&] {
            std::ostringstream out, err;
            const int code = runVesk(arguments, out, err);
            if (code == 1 && err.str().find(expected) != std::string::npos) return 0;
            std::cerr << "exit " << code << ": " << err.str() << out.str() << '\n';
            return 1;
        });
        EXPECT_EQ(outcome, 0) << arguments[0] << ": expected \"" << expected << "\"";
        EXPECT_TRUE(test::snapshot(dir.root()) == before) << arguments[0] << ": a file changed";
    }

    test::TempDir dir;
    std::string image = dir.path("ゲーム.gb");
    std::string table = dir.path("表.csv");
};

TEST_F(VeskReasonTest, AMissingFileOrAFolderIsNamedWithItsReason) {
    expectRefusal({"show", dir.path("ない.gb")},
                  dir.path("ない.gb") + ": cannot open the file: " + kNotFound);
    expectRefusal({"export", image, "-o", dir.path("folder/out.csv")},
                  dir.path("folder/out.csv") + ": cannot write the file: " + kNotFound);
    fs::create_directory(test::pathFromUtf8(dir.path("folder")));
    expectRefusal({"set", dir.path("folder"), "0", "attack=1"},
                  dir.path("folder") + ": cannot open the file: " + kNotRegularFile);
}

TEST_F(VeskReasonTest, AReadOnlyImageIsLeftAsItWasAndTheMessageSaysWhy) {
    makeReadOnly(image);
    const std::string expected = image + ": cannot write the enemy data: " + kAccessDenied;
    expectRefusal({"set", image, "0", "attack+=1", "--no-backup"}, expected);
    expectRefusal({"import", image, table, "--no-backup"}, expected);
    makeWritable(image);
}

#ifndef _WIN32
TEST_F(VeskReasonTest, AFolderNobodyMayWriteStopsTheBackupAndTheOutputAndSaysWhy) {
    // Nobody may add a file to the folder: neither the backup beside the image nor an
    // exported table can be made there.
    fs::permissions(dir.root(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string expected =
        image + ".bak: cannot make the backup: " + kAccessDenied + "; nothing written";
    expectRefusal({"import", image, table}, expected);
    expectRefusal({"set", image, "0", "attack+=1"}, expected);
    expectRefusal({"export", image, "-o", dir.path("out.csv")},
                  dir.path("out.csv") + ": cannot write the file: " + kAccessDenied);
    fs::permissions(dir.root(), fs::perms::owner_write, fs::perm_options::add);
}
#endif

}  // namespace
}  // namespace vesk::cli
