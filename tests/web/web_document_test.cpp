#include <gtest/gtest.h>

#include "exchange/bps_patch.h"
#include "exchange/enemy_table.h"
#include "sample_image.h"
#include "web/web_document.h"

namespace vesk::web {
namespace {

using exchange::Bytes;

TEST(WebDocument, RefusesAShortFileAndKeepsWhatItHad) {
    WebDocument document;
    const Bytes image = tools::makeSampleImage(1);
    ASSERT_EQ(document.openImage(image), "");
    document.setStatText(37, 0, "99");
    const Bytes shortFile(EnemyBlock::kImageOffset + EnemyBlock::kSize - 1, 0);
    EXPECT_NE(document.openImage(shortFile), "");
    EXPECT_NE(document.openOriginal(shortFile), "");
    EXPECT_EQ(document.block().stat(37, 0), 99);
    EXPECT_EQ(document.originalImage(), image);
}

// The image handed back differs from the opened one only in the edited fields, and a
// separately opened original is what diffs and patches start from.
TEST(WebDocument, EditsReachOnlyTheBlockAndPatchesStartFromTheOriginal) {
    WebDocument document;
    const Bytes original = tools::makeSampleImage(1);
    Bytes opened = original;
    opened[5] ^= 0xFF;  // a byte outside the enemy data that differs from the original
    ASSERT_EQ(document.openOriginal(original), "");
    ASSERT_EQ(document.openImage(opened), "");
    document.setStatText(0, 2, "7");
    Bytes expected = opened;
    expected[EnemyBlock::kImageOffset + 4] = 7;
    EXPECT_EQ(document.image(), expected);
    EXPECT_EQ(document.otherDifferences(), 1u);
    EXPECT_EQ(exchange::applyBpsPatch(original, document.bpsPatch()).image, expected);
}

TEST(WebDocument, AppliesAPatchOnlyToItsOwnSourceAndImportsAllOrNothing) {
    WebDocument document;
    ASSERT_EQ(document.openImage(tools::makeSampleImage(1)), "");
    const Bytes other = tools::makeSampleImage(2);
    Bytes target = other;
    target[EnemyBlock::kImageOffset + 2] ^= 1;
    const Bytes before = document.image();
    EXPECT_NE(document.applyPatch(exchange::makeBpsPatch(other, target)), "");
    EXPECT_NE(document.applyPatch(Bytes{'n', 'o'}), "");
    EnemyBlock edited = document.block();
    edited.setStat(1, 0, 5);
    const std::string table = exchange::exportCsv(edited);
    EXPECT_FALSE(document.importTable(table + "999,x\r\n").empty());
    EXPECT_EQ(document.image(), before);
    EXPECT_TRUE(document.importTable(table).empty());
    EXPECT_EQ(document.block().stat(1, 0), 5);
}

TEST(WebDocument, BulkEditKeepsTheBlockWhenAnyEnemyCannotTakeIt) {
    WebDocument document;
    ASSERT_EQ(document.openImage(tools::makeSampleImage(1)), "");
    const EnemyBlock before = document.block();
    EXPECT_NE(document.bulkEdit({0, 1}, "ability8=5").problem, "");
    EXPECT_EQ(document.block().bytes(), before.bytes());
    const exchange::BulkEdit edit = document.bulkEdit({0, 1}, "attack+=300");
    EXPECT_EQ(edit.problem, "");
    EXPECT_EQ(document.block().stat(0, 0), 255);
    EXPECT_EQ(document.block().stat(1, 0), 255);
}

// The page's stat fields hold what the window's fields hold: at most three characters,
// then the one rule; what is stored is what is shown.
TEST(WebDocument, StatFieldsFollowTheWindowsRule) {
    WebDocument document;
    ASSERT_EQ(document.openImage(tools::makeSampleImage(1)), "");
    for (const char* left : {"", "7", "007", "255", "256", "1234", "-5", " 42x", "abc", "99999"}) {
        const std::string held = std::string(left).substr(0, kStatFieldLength);
        const StatFieldText expected = statFieldAfterEdit(held);
        const StatFieldText shown = WebDocument::statFieldText(left);
        EXPECT_EQ(shown.text, expected.text) << '"' << left << '"';
        EXPECT_EQ(shown.selectAll, expected.selectAll) << '"' << left << '"';
        EXPECT_EQ(document.setStatText(3, 1, left), std::stoi(expected.text)) << '"' << left << '"';
    }
}

}  // namespace
}  // namespace vesk::web
