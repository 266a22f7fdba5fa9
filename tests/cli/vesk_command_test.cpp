#include "cli/vesk_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "data/enemy_block.h"
#include "data/name_tables.h"
#include "data/value_tables.h"
#include "exchange/bps_patch.h"
#include "sample_image.h"
#include "test_files.h"
#include "text/catalog.h"

namespace vesk::cli {
namespace {

using test::Bytes;
using test::readBytes;
using test::readText;
using test::snapshot;
using test::writeBytes;
using test::writeText;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

class VeskCommandTest : public ::testing::Test {
protected:
    // The English texts are the ones these tests compare.
    void SetUp() override {
        text::setLanguage(text::Language::English);
        image = dir.path("ゲーム.gb");
        writeBytes(image, tools::makeSampleImage(1));
    }

    void TearDown() override { text::setLanguage(text::Language::Japanese); }

    Outcome vesk(std::vector<std::string> arguments) {
        std::ostringstream out, err;
        const int code = runVesk(arguments, out, err);
        return {code, out.str(), err.str()};
    }

    // Runs with `input` as standard input.
    Outcome vesk(std::vector<std::string> arguments, const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out, err;
        const int code = runVesk(arguments, in, out, err);
        return {code, out.str(), err.str()};
    }

    // Runs a command that must fail with `code` and leave every file as it was.
    Outcome refused(std::vector<std::string> arguments, int code = 1) {
        const auto before = snapshot(dir.root());
        Outcome run = vesk(std::move(arguments));
        EXPECT_EQ(run.code, code) << run.out << run.err;
        EXPECT_TRUE(snapshot(dir.root()) == before) << "a file changed: " << run.err;
        return run;
    }

    std::string exported() {
        const std::string csv = dir.path("表.csv");
        EXPECT_EQ(vesk({"export", image, "-o", csv}).code, 0);
        return csv;
    }

    test::TempDir dir;
    std::string image;
};

// Standard output on a full disk: every write fails.
class FullOutput : public std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
};

TEST_F(VeskCommandTest, AReportThatCannotBePrintedIsReportedAndTheCodeSaysWhatWasWritten) {
    const std::string csv = exported();
    const std::string bak = image + ".bak";
    struct Case {
        std::vector<std::string> arguments;
        int code;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"set", image, "0", "attack*=2"},
         3,
         "standard output: the report could not be printed; written all the same: " + bak + ", " +
             image},
        {{"export", image, "-o", dir.path("new.csv")},
         3,
         "written all the same: " + dir.path("new.csv")},
        {{"show", image, "0"},
         1,
         "standard output: the report could not be printed; nothing was written"},
        {{"diff", image, image}, 2, "nothing was written"},
        {{"--help"}, 1, "nothing was written"},
    };
    for (const Case& c : cases) {
        FullOutput full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(runVesk(c.arguments, out, err), c.code) << c.arguments[0];
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
}

#ifndef _WIN32
TEST_F(VeskCommandTest, NamesOfTheCommandsOwnDescriptorsAreNoOutputs) {
    const std::string link = dir.path("link.csv");
    std::filesystem::create_symlink("/dev/stdout", test::pathFromUtf8(link));
    for (const std::string& name : {std::string("/dev/stdout"), std::string("/dev/fd/1"),
                                    std::string("/proc/self/fd/1"), link}) {
        EXPECT_NE(refused({"export", image, "-o", name, "--force"})
                      .err.find(name + ": cannot write the file: this names a descriptor"),
                  std::string::npos)
            << name;
    }
}
#endif

TEST_F(VeskCommandTest, APatchWhoseResultCannotHoldTheEnemyDataIsRefused) {
    // An IPS patch of no records that truncates to 64 KiB, and a BPS patch made for a
    // target of that size.
    const std::string ips = dir.path("cut.ips");
    writeText(ips, std::string("PATCHEOF\x01\x00\x00", 11));
    const Bytes original = readBytes(image);
    const std::string bps = dir.path("cut.bps");
    writeBytes(bps,
               exchange::makeBpsPatch(original, Bytes(original.begin(), original.begin() + 65536)));
    for (const std::string& patch : {ips, bps}) {
        EXPECT_NE(refused({"patch", "apply", image, patch, "-o", dir.path("out.gb")})
                      .err.find("the patched image would have 65536 bytes; an image holding the "
                                "enemy data has at least " +
                                std::to_string(EnemyBlock::kImageEnd) + "; nothing written"),
                  std::string::npos)
            << patch;
    }
}

TEST_F(VeskCommandTest, HelpListsTheCommandsAndVersionPrintsTheVersion) {
    const Outcome help = vesk({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"show", "export", "import", "set", "diff", "patch"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    for (const char* command : {"show", "export", "import", "set", "diff"}) {
        EXPECT_EQ(vesk({command, "--help"}).code, 0) << command;
    }
    EXPECT_EQ(vesk({"patch", "apply", "--help"}).code, 0);
    EXPECT_EQ(vesk({"--version"}).out.rfind("vesk ", 0), 0u);
}

TEST_F(VeskCommandTest, PathsThatLookLikeWindowsOptionsAreStillPaths) {
    const Outcome run = vesk({"show", image, "0", "--format", "csv"});
    EXPECT_EQ(run.code, 0);
    // CLI11 reads "/name" as an option on Windows unless told not to.
    const Outcome missing = vesk({"show", "/no-such-image.gb"});
    EXPECT_EQ(missing.code, 1) << missing.err;
    EXPECT_NE(missing.err.find("/no-such-image.gb: cannot open the file: no such file or folder"),
              std::string::npos)
        << missing.err;
}

TEST_F(VeskCommandTest, UsageErrorsExitWithTwo) {
    refused({}, 2);
    EXPECT_NE(refused({"frobnicate"}, 2).err.find("unknown command \"frobnicate\""),
              std::string::npos);
    refused({"export"}, 2);
    refused({"export", image, "--format", "xml"}, 2);
    refused({"set", image, "200", "attack=1"}, 2);
    refused({"set", image, "5", "power=1"}, 2);
    EXPECT_NE(refused({"set", image, "5", "power=1"}, 2).err.find("unknown field \"power\""),
              std::string::npos);
}

TEST_F(VeskCommandTest, ExportThenImportLeavesTheImageByteIdentical) {
    const Bytes before = readBytes(image);
    const std::string csv = exported();
    const Outcome run = vesk({"import", image, csv});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("nothing to change"), std::string::npos);
    EXPECT_EQ(readBytes(image), before);
    EXPECT_FALSE(test::exists(image + ".bak"));

    const std::string json = dir.path("表.json");
    EXPECT_EQ(vesk({"export", image, "-o", json}).code, 0);
    EXPECT_EQ(readText(json).front(), '[');
    EXPECT_EQ(vesk({"import", image, json}).code, 0);
    EXPECT_EQ(readBytes(image), before);
}

TEST_F(VeskCommandTest, ImportOfAnEditedTableWritesOnlyTheEditedFieldsAfterABackup) {
    const Bytes before = readBytes(image);
    const std::string csv = exported();
    std::string text = readText(csv);
    // Enemy 39's attack (7th cell) becomes 250.
    const auto row = text.find("\r\n039,");
    auto cell = row + 2;
    for (int i = 0; i < 6; ++i) cell = text.find(',', cell) + 1;
    text.replace(cell, text.find(',', cell) - cell, "250");
    writeText(csv, text);

    const Outcome dry = vesk({"import", image, csv, "--dry-run"});
    EXPECT_EQ(dry.code, 0);
    EXPECT_NE(dry.out.find("039 ベヒーモス  攻 "), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find(" → 250"), std::string::npos) << dry.out;
    EXPECT_EQ(readBytes(image), before);

    const Outcome run = vesk({"import", image, csv});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(readBytes(image + ".bak"), before);
    Bytes expected = before;
    expected[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(39) + 2] = 250;
    EXPECT_EQ(readBytes(image), expected);
}

TEST_F(VeskCommandTest, BadInputExitsWithOneNamesTheProblemAndChangesNothing) {
    const std::string csv = exported();
    const std::string text = readText(csv);
    auto variant = [&](const std::string& name, std::string from, std::string to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        writeText(dir.path(name), changed);
        return dir.path(name);
    };
    const std::string header = variant("header.csv", "attack", "atk");
    EXPECT_NE(refused({"import", image, header}).err.find("unknown column \"atk\""),
              std::string::npos);
    const std::string word =
        variant("word.csv", "\r\n010,エレキうなぎ,", "\r\n010,エレキうなぎ,many");
    EXPECT_NE(refused({"import", image, word}).err.find("line 12 (enemy 010), hp_index: \"many"),
              std::string::npos);
    const auto firstAbility = text.find(" : ", text.find("\r\n000,")) - 3;
    std::string bad = text;
    bad.replace(firstAbility, 3, "300");
    writeText(dir.path("300.csv"), bad);
    EXPECT_NE(refused({"import", image, dir.path("300.csv")}).err.find("300 is out of range"),
              std::string::npos);
    writeText(dir.path("twice.csv"),
              text + text.substr(text.find("\r\n005,") + 2,
                                 text.find("\r\n006,") - text.find("\r\n005,")));
    EXPECT_NE(refused({"import", image, dir.path("twice.csv")}).err.find("enemy 005 appears twice"),
              std::string::npos);
    EXPECT_NE(refused({"import", image, dir.path("missing.csv")})
                  .err.find("missing.csv: cannot open the file: no such file or folder"),
              std::string::npos);
    writeBytes(dir.path("short.gb"), Bytes(112367, 0));
    EXPECT_NE(refused({"import", dir.path("short.gb"), csv})
                  .err.find("at least " + std::to_string(EnemyBlock::kImageEnd)),
              std::string::npos);
    EXPECT_NE(refused({"show", dir.path("none.gb")}).err.find("no such file or folder"),
              std::string::npos);
}

TEST_F(VeskCommandTest, SetClampsAndReportsAndWritesThroughTheBackup) {
    const Outcome run = vesk({"set", image, "0-1", "attack=300", "kero_index+=1", "--no-backup"});
    EXPECT_EQ(run.code, 0) << run.err;
    // A note says how a request was fitted, on the error stream, worded like a change.
    EXPECT_NE(run.err.find("000 ハエおとこ  攻 "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" → 255 (300 is outside 0-255)\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("outside"), std::string::npos) << run.out;
    EXPECT_FALSE(test::exists(image + ".bak"));
    const Bytes after = readBytes(image);
    EXPECT_EQ(after[EnemyBlock::kImageOffset + 2], 255);
    EXPECT_EQ(after[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(1) + 2], 255);
    EXPECT_NE(refused({"set", image, "0", "ability8=1"}).err.find("has no ability8"),
              std::string::npos);
}

// The entry a value should choose, from the shown HP labels: the nearest, the current one
// or else the lowest of equally near ones.
int nearestShownHp(long long wanted, int current) {
    auto distance = [&](int p) { return std::abs(std::stoll(std::string(hpLabel(p))) - wanted); };
    int best = -1;
    for (int p = 0; p < kHpLabelCount - 1; ++p) {
        if (best < 0 || distance(p) < distance(best) ||
            (distance(p) == distance(best) && p == current)) {
            best = p;
        }
    }
    return best;
}

TEST_F(VeskCommandTest, SetHpByValuePicksTheNearestEntryForEveryEnemyAndReportsIt) {
    const Bytes original = readBytes(image);
    const Outcome run = vesk({"set", image, "0-199", "hp*=1.2", "--no-backup"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Bytes after = readBytes(image);
    int unvalued = 0;
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        const int was = original[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(m) + 1];
        const int now = after[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(m) + 1];
        char heading[8];
        std::snprintf(heading, sizeof heading, "%03d ", m);
        const std::string line = std::string(heading) + std::string(enemyName(m)) + "  HP " +
                                 std::string(hpLabel(hpPosition(was)));
        if (was >= kHpLabelCount - 1) {
            ++unvalued;
            EXPECT_EQ(now, was) << m;
            EXPECT_NE(run.err.find(line + " (index " + std::to_string(was) + ") left as it was"),
                      std::string::npos)
                << line;
            continue;
        }
        const int expected =
            nearestShownHp(std::llround(std::stod(std::string(hpLabel(was))) * 1.2), was);
        EXPECT_EQ(now, expected) << m;
        EXPECT_NE(run.err.find(line + " → " + std::string(hpLabel(expected)) + " (index " +
                               std::to_string(was) + " → " + std::to_string(expected)),
                  std::string::npos)
            << line;
    }
    EXPECT_GT(unvalued, 0);  // the sample holds "????" entries, which stay
    EXPECT_NE(run.out.find("field(s) of"), std::string::npos) << run.out;
}

TEST_F(VeskCommandTest, DiffExitsLikeDiff) {
    const std::string copy = dir.path("copy.gb");
    writeBytes(copy, readBytes(image));
    EXPECT_EQ(vesk({"diff", image, copy}).code, 0);
    ASSERT_EQ(vesk({"set", copy, "39", "attack=1", "--no-backup"}).code, 0);
    Bytes bytes = readBytes(copy);
    bytes[100] ^= 1;
    writeBytes(copy, bytes);
    const Outcome run = vesk({"diff", image, copy});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("039 ベヒーモス  攻 "), std::string::npos);
    EXPECT_NE(run.out.find("1 byte(s) differ outside the enemy fields"), std::string::npos);
    EXPECT_EQ(vesk({"diff", image, dir.path("none.gb")}).code, 2);
}

// A file that is not a Game Boy image is named as such by every command that reads an
// image, on standard error, and the work goes on.
TEST_F(VeskCommandTest, AFileThatIsNoCartridgeImageIsWarnedAboutAndStillWorkedOn) {
    const std::string noise = dir.path("noise.gb");
    Bytes bytes = readBytes(image);
    bytes[0x14D] ^= 0xFF;
    writeBytes(noise, bytes);
    const std::string warning = "warning: " + noise + ": the cartridge header's checksum is ";
    for (const std::vector<std::string>& command : {std::vector<std::string>{"show", noise, "0"},
                                                    {"export", noise},
                                                    {"set", noise, "0", "attack=1", "--no-backup"},
                                                    {"diff", image, noise}}) {
        const Outcome run = vesk(command);
        EXPECT_LE(run.code, 1) << command[0] << ": " << run.err;
        EXPECT_NE(run.err.find(warning), std::string::npos) << command[0] << ": " << run.err;
    }
    EXPECT_EQ(vesk({"show", image, "0"}).err, "");
}

TEST_F(VeskCommandTest, PatchesRoundTripAndNeverTouchTheirInputs) {
    const std::string modified = dir.path("modified.gb");
    writeBytes(modified, readBytes(image));
    ASSERT_EQ(vesk({"set", modified, "3", "magic=9", "--no-backup"}).code, 0);
    for (const char* name : {"p.bps", "p.ips"}) {
        const std::string patch = dir.path(name);
        ASSERT_EQ(vesk({"patch", "create", image, modified, "-o", patch}).code, 0);
        const std::string out = dir.path(std::string(name) + ".gb");
        const Bytes original = readBytes(image);
        ASSERT_EQ(vesk({"patch", "apply", image, patch, "-o", out}).code, 0);
        EXPECT_EQ(readBytes(out), readBytes(modified));
        EXPECT_EQ(readBytes(image), original);
        EXPECT_NE(refused({"patch", "apply", image, patch, "-o", out}).err.find("--force"),
                  std::string::npos);
        EXPECT_EQ(vesk({"patch", "apply", image, patch, "-o", out, "--force"}).code, 0);
        refused({"patch", "apply", image, patch, "-o", image, "--force"});
        EXPECT_NE(refused({"patch", "apply", modified, patch, "-o", dir.path("x.gb")})
                      .err.find("already patched"),
                  std::string::npos);
    }
    EXPECT_EQ(readBytes(dir.path("p.bps")).front(), 'B');
    EXPECT_EQ(readBytes(dir.path("p.ips")).front(), 'P');

    const std::string other = dir.path("other.gb");
    writeBytes(other, tools::makeSampleImage(2));
    const Outcome wrong =
        refused({"patch", "apply", other, dir.path("p.bps"), "-o", dir.path("y.gb")});
    EXPECT_NE(wrong.err.find("the patch is for another image: it expects CRC32 "),
              std::string::npos)
        << wrong.err;
}

TEST_F(VeskCommandTest, ADashReadsTheTableOrThePatchFromStandardInput) {
    const Bytes before = readBytes(image);
    const std::string modified = dir.path("modified.gb");
    writeBytes(modified, before);
    ASSERT_EQ(vesk({"set", modified, "3", "magic=9", "--no-backup"}).code, 0);
    const std::string table = dir.path("table.json");
    ASSERT_EQ(vesk({"export", modified, "-o", table}).code, 0);

    const Outcome imported = vesk({"import", image, "-", "--no-backup"}, readText(table));
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(readBytes(image), readBytes(modified));
    writeBytes(image, before);

    for (const char* format : {"bps", "ips"}) {
        const std::string patch = dir.path(std::string("p.") + format);
        ASSERT_EQ(vesk({"patch", "create", image, modified, "-o", patch}).code, 0);
        const Bytes bytes = readBytes(patch);
        const std::string out = dir.path(std::string("out-") + format + ".gb");
        const Outcome applied = vesk({"patch", "apply", image, "-", "-o", out},
                                     std::string(bytes.begin(), bytes.end()));
        ASSERT_EQ(applied.code, 0) << applied.err;
        EXPECT_EQ(readBytes(out), readBytes(modified)) << format;
    }

    // What standard input holds is checked like a file, and named as standard input.
    EXPECT_NE(refused({"import", image, "-"}).err.find("standard input: "), std::string::npos);
    const auto before2 = snapshot(dir.root());
    const Outcome bad = vesk({"import", image, "-"}, "enemy,attack\n");
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("standard input: header: the column \"hp_index\" is missing"),
              std::string::npos)
        << bad.err;
    const Outcome notPatch = vesk({"patch", "apply", image, "-", "-o", dir.path("x.gb")}, "hello");
    EXPECT_EQ(notPatch.code, 1);
    EXPECT_NE(notPatch.err.find("standard input: not a BPS or IPS patch"), std::string::npos);
    EXPECT_TRUE(snapshot(dir.root()) == before2);
}

TEST_F(VeskCommandTest, APatchOfTwoEqualImagesAppliesInEitherFormat) {
    for (const char* name : {"same.ips", "same.bps"}) {
        ASSERT_EQ(vesk({"patch", "create", image, image, "-o", dir.path(name)}).code, 0);
        const std::string out = dir.path(std::string(name) + ".gb");
        const Outcome run = vesk({"patch", "apply", image, dir.path(name), "-o", out});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(readBytes(out), readBytes(image));
    }
}

}  // namespace
}  // namespace vesk::cli
