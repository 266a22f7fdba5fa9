#include <gtest/gtest.h>

#include <functional>

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

namespace vesk::web {
namespace {

using exchange::Bytes;

// Every kind of change, each one step: undone one by one the image goes back through
// each earlier state to the opened bytes, and redone it comes back to the last.
TEST(WebDocument, UndoesAndRedoesEveryKindOfChange) {
    WebDocument document;
    const Bytes opened = tools::makeSampleImage(1);
    ASSERT_EQ(document.openImage(opened), "");
    EnemyBlock imported = document.block();
    imported.setStat(2, 1, 9);
    Bytes patched = opened;
    patched[7] ^= 0xFF;
    patched[EnemyBlock::kImageOffset + 30] ^= 1;
    const std::vector<std::function<void()>> changes = {
        [&] { document.setStatText(37, 0, "150"); },
        [&] { document.setHpPosition(3, 1); },
        [&] { document.setKeroIndex(4, 2); },
        [&] { document.setAbility(5, 0, 63); },
        [&] {
            EXPECT_EQ(document.bulkEdit({0, 1, 2}, "attack*=1.5").problem, "");
        },
        [&] { EXPECT_TRUE(document.importTable(exchange::exportCsv(imported)).empty()); },
        [&] {
            document.beginStep();  // a paste: many cells, one step
            document.setStatText(8, 2, "1");
            document.setStatText(9, 2, "2");
            document.endStep();
        },
        [&] {
            EXPECT_EQ(document.applyPatch(exchange::makeBpsPatch(document.image(), patched)), "");
        },
    };
    std::vector<Bytes> states = {document.image()};
    for (const auto& change : changes) {
        change();
        states.push_back(document.image());
    }
    EXPECT_EQ(document.image(), patched);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(document.undo());
        EXPECT_EQ(document.image(), states[i - 1]) << "undoing change " << i;
    }
    EXPECT_FALSE(document.undo());
    EXPECT_EQ(document.state(), 0u);
    while (document.redo()) {
    }
    EXPECT_EQ(document.image(), patched);
    // A change after an undo takes the place of what was undone.
    ASSERT_TRUE(document.undo());
    document.setStatText(0, 0, "1");
    EXPECT_FALSE(document.canRedo());
}

// The history holds at most its bound of steps, survives a trip through its bytes into
// another document and is refused, changing nothing, when those bytes are damaged.
TEST(WebDocument, KeepsABoundedHistoryThatCanBeRestored) {
    WebDocument document;
    const Bytes opened = tools::makeSampleImage(1);
    ASSERT_EQ(document.openImage(opened), "");
    ASSERT_NE(document.block().stat(0, 0), 10);
    const std::size_t made = EditHistory::kMaxSteps + 5;
    for (std::size_t i = 0; i < made; ++i) document.setStatText(0, 0, i % 2 ? "11" : "10");
    WebDocument restored;
    const Bytes history = document.history();
    Bytes damaged = history;
    damaged.pop_back();
    EXPECT_NE(restored.restore(document.image(), opened, false, damaged), "");
    EXPECT_FALSE(restored.hasImage());
    ASSERT_EQ(restored.restore(document.image(), opened, false, history), "");
    EXPECT_EQ(restored.state(), document.state());
    std::size_t undone = 0;
    while (restored.undo()) ++undone;
    EXPECT_EQ(undone, EditHistory::kMaxSteps);
    EXPECT_EQ(restored.block().stat(0, 0), 10);
    EXPECT_NE(restored.state(), 0u);  // the opened state is no longer reachable
    EXPECT_EQ(restored.originalImage(), opened);
}

}  // namespace
}  // namespace vesk::web
