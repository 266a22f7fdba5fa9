// The command's file errors end with the reason taken where the failure happened, in the
// command's language (English here).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>

#include "cli/vesk_command.h"
#include "data/enemy_block.h"
#include "sample_image.h"
#include "test_files.h"
#include "text/catalog.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "unprivileged.h"
#endif

namespace vesk::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNotFound = "no such file or folder";
constexpr const char* kNotRegularFile = "it is not a regular file";
constexpr const char* kAccessDenied = "permission denied";

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
        text::setLanguage(text::Language::English);
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

    void TearDown() override { text::setLanguage(text::Language::Japanese); }

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
                  dir.path("folder/out.csv") + ": cannot write the file: the folder \"" +
                      dir.path("folder") + "\" does not exist");
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

// A previous backup is only replaced by a save that can write the image.
TEST_F(VeskReasonTest, AReadOnlyImageKeepsThePreviousBackup) {
    test::writeText(image + ".bak", "the previous backup");
    makeReadOnly(image);
    const auto before = test::snapshot(dir.root());
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"set", image, "0", "attack+=1"},
          std::vector<std::string>{"import", image, table}}) {
        std::ostringstream out, err;
        EXPECT_EQ(runVesk(arguments, out, err), 1) << out.str();
        EXPECT_NE(err.str().find(image + ": cannot write the enemy data: " + kAccessDenied),
                  std::string::npos)
            << err.str();
        EXPECT_EQ(out.str().find("backup:"), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("will change"), std::string::npos) << out.str();
        EXPECT_TRUE(test::snapshot(dir.root()) == before) << arguments[0] << ": a file changed";
    }
    makeWritable(image);
}

// What the three commands that write an output are asked to write over.
class VeskOutputTest : public VeskReasonTest {
protected:
    void SetUp() override {
        VeskReasonTest::SetUp();
        test::Bytes bytes = test::readBytes(image);
        bytes[EnemyBlock::kImageOffset + 3] ^= 1;
        test::writeBytes(modified, bytes);
        std::ostringstream out, err;
        ASSERT_EQ(runVesk({"patch", "create", image, modified, "-o", patch}, out, err), 0)
            << err.str();
    }
    // Each command writing to `target`, with and without --force.
    std::vector<std::vector<std::string>> outputsTo(const std::string& target) const {
        std::vector<std::vector<std::string>> runs;
        for (const bool force : {false, true}) {
            for (std::vector<std::string> arguments :
                 {std::vector<std::string>{"export", image, "-o", target},
                  std::vector<std::string>{"patch", "create", image, modified, "-o", target},
                  std::vector<std::string>{"patch", "apply", image, patch, "-o", target}}) {
                if (force) arguments.push_back("--force");
                runs.push_back(std::move(arguments));
            }
        }
        return runs;
    }
    // Every output command refuses `target` as not a regular file. Checked by what the
    // caller looks at, never by opening it: a pipe would wait for a reader.
    void expectNoOutputTo(const std::string& target) {
        for (const auto& arguments : outputsTo(target)) {
            std::ostringstream out, err;
            EXPECT_EQ(runVesk(arguments, out, err), 1) << out.str();
            const std::string expected = target + ": cannot write the file: " + kNotRegularFile;
            EXPECT_NE(err.str().find(expected), std::string::npos)
                << arguments[0] << " " << arguments.back() << ": " << err.str();
        }
    }

    std::string modified = dir.path("modified.gb");
    std::string patch = dir.path("p.bps");
    test::TempDir targets;  // kept out of the snapshots, which would read a pipe
};

TEST_F(VeskOutputTest, AFolderOrADeviceNameIsNotAnOutput) {
    const std::string folder = targets.path("folder.csv");
    fs::create_directory(test::pathFromUtf8(folder));
    test::writeText(targets.path("folder.csv/inside"), "kept");
    std::vector<std::string> names{folder};
#ifdef _WIN32
    for (const char* device : {"NUL", "CON"}) names.push_back(device);
#endif
    const auto before = test::snapshot(dir.root());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        expectNoOutputTo(name);
    }
    EXPECT_TRUE(test::snapshot(dir.root()) == before);
    EXPECT_EQ(test::readText(targets.path("folder.csv/inside")), "kept");
}

#ifndef _WIN32
struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

void expectSameNode(const struct stat& before, const struct stat& after) {
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
}

TEST_F(VeskOutputTest, APipeIsNotAnOutputAndNobodyWaitsOnIt) {
    const std::string fifo = targets.path("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct stat before = statOf(fifo);
    expectNoOutputTo(fifo);
    expectSameNode(before, statOf(fifo));
}

// The superuser may write into a device; the command must still refuse it. The node is
// the test's own, made in its folder, never the system's /dev/null.
TEST_F(VeskOutputTest, ADeviceIsNotAnOutputEvenForTheSuperuser) {
    if (::geteuid() != 0) GTEST_SKIP() << "making a device node needs the superuser";
    const std::string device = targets.path("null.csv");
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0) << "mknod";
    const struct stat before = statOf(device);
    expectNoOutputTo(device);
    expectSameNode(before, statOf(device));
}

// --force over a link writes the file it points to; the link, and the file's owner,
// group and permissions stay (as the superuser the file is another user's).
TEST_F(VeskOutputTest, ForceWritesThroughALinkKeepingOwnerAndMode) {
    const bool root = ::geteuid() == 0;
    for (const auto& arguments : outputsTo(targets.path("link.out"))) {
        if (arguments.back() != "--force") continue;
        SCOPED_TRACE(arguments[0] + " " + arguments[1]);
        const std::string file = targets.path("file.out");
        const std::string link = targets.path("link.out");
        test::writeText(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        if (root) {
            ASSERT_EQ(::chown(file.c_str(), 1, 1), 0);
        }
        fs::create_symlink(file, link);
        const struct stat before = statOf(file);

        std::ostringstream out, err;
        EXPECT_EQ(runVesk(arguments, out, err), 0) << err.str();
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_NE(test::readText(file), "old");
        const struct stat after = statOf(file);
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        fs::remove(link);
        fs::remove(file);
    }
}

TEST_F(VeskReasonTest, AFolderNobodyMayWriteStopsTheBackupAndTheOutputAndSaysWhy) {
    // Nobody may add a file to the folder: neither the backup beside the image nor an
    // exported table can be made there. The image itself may be written.
    test::giveToUnprivilegedUser(image);
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
