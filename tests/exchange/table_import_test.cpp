#include <gtest/gtest.h>

#include <algorithm>

#include "data/value_tables.h"
#include "exchange/csv.h"
#include "exchange/enemy_table.h"
#include "exchange/field_diff.h"
#include "exchange/table_import.h"
#include "exchange/table_input.h"
#include "language.h"
#include "sample_image.h"

namespace vesk::exchange {
namespace {

EnemyBlock sampleBlock(std::uint32_t seed = 1) {
    const Bytes image = tools::makeSampleImage(seed);
    EnemyBlock block;
    std::copy_n(image.begin() + EnemyBlock::kImageOffset, EnemyBlock::kSize, block.bytes().begin());
    return block;
}

// The export of `block` with one cell of one enemy's row replaced.
std::string csvWith(const EnemyBlock& block, int enemy, const std::string& column,
                    const std::string& value) {
    const auto columns = tableColumns();
    const auto at = std::find(columns.begin(), columns.end(), column) - columns.begin();
    std::string text = csvLine(columns);
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        auto row = enemyRow(block, m);
        if (m == enemy) row[static_cast<std::size_t>(at)] = value;
        text += csvLine(row);
    }
    return text;
}

ImportPlan import(const EnemyBlock& block, const std::string& text) {
    return planImport(block, readTable(text));
}

std::string onlyProblem(const ImportPlan& plan) {
    EXPECT_EQ(plan.problems.total(), 1u);
    return plan.problems.empty() ? std::string() : plan.problems.shown().front();
}

TEST(TableImport, ExportedTablesImportWithoutAnyChange) {
    const EnemyBlock block = sampleBlock();
    for (const std::string& text : {exportCsv(block), exportJson(block)}) {
        const ImportPlan plan = import(block, text);
        EXPECT_TRUE(plan.problems.empty());
        EXPECT_EQ(plan.enemyCount, 200);
        EXPECT_EQ(plan.block.bytes(), block.bytes());
    }
}

TEST(TableImport, EditedCellsChangeExactlyTheirFields) {
    EnemyBlock block = sampleBlock();
    block.bytes()[EnemyBlock::recordOffset(12) + 6] |=
        0xF0;  // high bits of the ケロ byte must survive
    std::string text = csvWith(block, 12, "attack", "201");
    const ImportPlan plan = import(block, text);
    ASSERT_TRUE(plan.problems.empty());
    const auto changes = diffFields(block, plan.block);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(describeChange(changes[0]).find("012 あるくサボテン  攻"), 0u);
    EXPECT_EQ(plan.block.stat(12, 0), 201);

    // ケロ index, HP index and an ability as a bare number, labels left stale but empty.
    const ImportPlan kero = import(block, csvWith(block, 12, "kero_index", "3 : 240"));
    ASSERT_TRUE(kero.problems.empty()) << kero.problems.shown().front();
    EXPECT_EQ(kero.block.bytes()[EnemyBlock::recordOffset(12) + 6], 0xF3);
    const ImportPlan ability = import(block, csvWith(block, 0, "ability1", "7"));
    ASSERT_TRUE(ability.problems.empty());
    EXPECT_EQ(ability.block.abilityAt(0, 0), 7);
    const auto differing =
        std::mismatch(block.bytes().begin(), block.bytes().end(), ability.block.bytes().begin());
    EXPECT_EQ(differing.first - block.bytes().begin(),
              EnemyBlock::poolEntryOffset(block.abilityStart(0)));
}

TEST(TableImport, TakesPartialTablesWithColumnsInAnyOrderAndWithoutLabels) {
    const EnemyBlock block = sampleBlock();
    std::string text = "magic,attack,defense,speed,kero_index,hp_index,enemy";
    for (int slot = 0; slot < block.abilityCount(5); ++slot)
        text += ",ability" + std::to_string(slot + 1);
    text += "\n1,2,3,4,5,6,5";
    for (int slot = 0; slot < block.abilityCount(5); ++slot) text += ",9";
    text += "\n";
    const ImportPlan plan = import(block, text);
    ASSERT_TRUE(plan.problems.empty()) << plan.problems.shown().front();
    EXPECT_EQ(plan.block.stat(5, 3), 1);
    EXPECT_EQ(plan.block.hpIndex(5), 6);
    EXPECT_EQ(plan.block.abilityAt(5, 0), 9);
    EXPECT_EQ(diffFields(block, plan.block).size() > 0, true);
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        if (m == 5) continue;
        EXPECT_EQ(plan.block.stat(m, 0), block.stat(m, 0));
    }
}

TEST(TableImport, RefusesAWrongHeader) {
    const EnemyBlock block = sampleBlock();
    std::string text = exportCsv(block);
    text.replace(text.find("attack"), 6, "atack");
    const ImportPlan plan = import(block, text);
    ASSERT_EQ(plan.problems.total(), 2u);
    EXPECT_EQ(plan.problems.shown()[0], "header, column 7: unknown column \"atack\"");
    EXPECT_EQ(plan.problems.shown()[1], "header: the column \"attack\" is missing");
}

TEST(TableImport, NamesRowColumnAndEnemyOfEveryBadCell) {
    const EnemyBlock block = sampleBlock();
    struct Case {
        int enemy;
        std::string column, value, problem;
    };
    const int count = block.abilityCount(7);
    const std::vector<Case> cases = {
        {7, "attack", "abc",
         "line 9 (enemy 007), attack: \"abc\" is not a number; expected a whole number from 0 to "
         "255"},
        {7, "defense", "256",
         "line 9 (enemy 007), defense: 256 is out of range; expected a whole number from 0 to 255"},
        {7, "speed", "",
         "line 9 (enemy 007), speed: the cell is empty; expected a whole number from 0 to 255"},
        {7, "kero_index", "16",
         "line 9 (enemy 007), kero_index: 16 is out of range; expected a whole number from 0 to "
         "15"},
        {7, "hp_index", "-1",
         "line 9 (enemy 007), hp_index: -1 is out of range; expected a whole number from 0 to 255"},
        {7, "ability1", "300",
         "line 9 (enemy 007), ability1: 300 is out of range; expected a whole number from 0 to "
         "255"},
        {7, "ability1", "063 : ポーション",
         "line 9 (enemy 007), ability1: \"063 : ポーション\" contradicts itself: 63 is "
         "\"44マグナム\", not \"ポーション\"; the number decides, so write it alone or with "
         "\"44マグナム\""},
        // A label left as it was after its number changed: the label is what to mend.
        {7, "name", "ハチおんな",
         "line 9 (enemy 007), name: \"ハチおんな\" contradicts enemy 007, which is \"ピラニア\"; "
         "the number columns decide, so clear this cell or write \"ピラニア\" in it"},
        {7, "hp", "99999",
         "line 9 (enemy 007), hp: \"99999\" contradicts hp_index " +
             std::to_string(block.hpIndex(7)) + ", which is \"" +
             std::string(hpLabel(hpPosition(block.hpIndex(7)))) +
             "\"; the number columns decide, so clear this cell or write \"" +
             std::string(hpLabel(hpPosition(block.hpIndex(7)))) + "\" in it"},
        {7, "kero", "12345",
         "line 9 (enemy 007), kero: \"12345\" contradicts kero_index " +
             std::to_string(block.keroIndex(7)) + ", which is \"" +
             std::string(keroLabel(block.keroIndex(7))) +
             "\"; the number columns decide, so clear this cell or write \"" +
             std::string(keroLabel(block.keroIndex(7))) + "\" in it"},
        // A fraction or a full-width colon is named as such, not taken for a name.
        {7, "enemy", "7.5",
         "line 9, enemy: \"7.5\" has a fraction; expected a whole number from 0 to 199"},
        {7, "enemy", "7.0",
         "line 9, enemy: \"7.0\" has a fraction; expected a whole number from 0 to 199"},
        {7, "attack", "1.5",
         "line 9 (enemy 007), attack: \"1.5\" has a fraction; expected a whole number from 0 to "
         "255"},
        {7, "enemy", "007：ピラニア",
         "line 9, enemy: \"007：ピラニア\" has a full-width colon \"：\"; write \":\" between the "
         "number and the name, or the number alone"},
        {7, "enemy",
         "\xEF\xBB\xBF"
         "007",
         "line 9, enemy: \"<byte-order mark>007\" is not a number; expected a whole number from "
         "0 to 199"},
        {7, "enemy", "200",
         "line 9, enemy: 200 is out of range; expected a whole number from 0 to 199"},
        {7, "attack", "1e+300",
         "line 9 (enemy 007), attack: 1e+300 is out of range; expected a whole number from 0 to "
         "255"},
        {7, "attack", "256.5",
         "line 9 (enemy 007), attack: 256.5 is out of range; expected a whole number from 0 to "
         "255"},
        {7, "attack", "５",
         "line 9 (enemy 007), attack: \"５\" is written with full-width digits such as \"５\"; "
         "write the number with the digits 0-9"},
        // Echoed text cannot steer the terminal.
        {7, "name", "\x1B]0;pwned\x07\x1B[2J\xC2\x9B",
         "line 9 (enemy 007), name: \"\\x1B]0;pwned\\x07\\x1B[2J\\u009B\" contradicts enemy 007, "
         "which is \"ピラニア\"; the number columns decide, so clear this cell or write "
         "\"ピラニア\" in it"},
        {7, "ability_count", std::to_string(count + 1),
         "line 9 (enemy 007), ability_count: " + std::to_string(count + 1) +
             " differs from the image, where enemy 007 has " + std::to_string(count) +
             " abilities; the number of abilities cannot be changed"},
        {7, "ability" + std::to_string(count), "",
         "line 9 (enemy 007), ability" + std::to_string(count) + ": empty, but enemy 007 has " +
             std::to_string(count) + " abilities; expected an ability ID 0-255"},
        {7, "ability8", count < 8 ? "5" : "",
         count < 8 ? "line 9 (enemy 007), ability8: enemy 007 has only " + std::to_string(count) +
                         " abilities, so this cell must be empty"
                   : ""},
    };
    for (const Case& c : cases) {
        if (c.problem.empty()) continue;
        EXPECT_EQ(onlyProblem(import(block, csvWith(block, c.enemy, c.column, c.value))), c.problem)
            << c.column << "=" << c.value;
    }
}

TEST(TableImport, NamesWhatTheBytesAreWhenTheyAreNotUtf8Text) {
    const EnemyBlock block = sampleBlock();
    std::string utf16;  // "enemy,hp_index" in UTF-16LE without its mark
    for (char c : std::string("enemy,hp_index\r\n")) utf16 += std::string{c, '\0'};
    const Bytes image = tools::makeSampleImage(1);
    const std::string save = "; save it as \"CSV UTF-8\" (or UTF-8 text) and import again";
    const std::string empty =
        "the file is empty; expected a CSV table with a header row or a JSON array of enemies";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", empty},
        {"\xEF\xBB\xBF", empty},
        {" \r\n\r\n", empty},
        {"\xFF\xFE" + utf16, "the file is UTF-16 text (\"Unicode text\"), not UTF-8" + save},
        {std::string("\xFE\xFF\0e\0n", 6),
         "the file is UTF-16 text (\"Unicode text\"), not UTF-8" + save},
        {utf16, "the file is UTF-16 text (\"Unicode text\"), not UTF-8" + save},
        // "ハエおとこ" in Shift-JIS, as a spreadsheet on Japanese Windows saves "CSV".
        {"enemy,name\r\n000,\x83\x6E\x83\x47\x82\xA8\x82\xC6\x82\xB1\r\n",
         "line 2: the file is not UTF-8 text (perhaps saved as Shift-JIS); save it as \"CSV "
         "UTF-8\" and import again"},
        // The same in EUC-JP.
        {"enemy,name\r\n000,\xA5\xCF\xA5\xA8\xA4\xAA\xA4\xC8\xA4\xB3\r\n",
         "line 2: the file is not UTF-8 text (perhaps saved as EUC-JP)" + save},
        {"enemy,name\n0,Caf\xE9\n",
         "line 2: the file is not UTF-8 text, nor Shift-JIS or UTF-16 (perhaps another code "
         "page, such as Windows-1252)" +
             save},
        {"enemy,name\n0,\xE9t\xE9\n",
         "line 2: the file is not UTF-8 text, nor Shift-JIS or UTF-16 (perhaps another code "
         "page, such as Windows-1252)" +
             save},
        {std::string(image.begin(), image.end()),
         "the file holds binary data, not a CSV or JSON table (it is as large as a cartridge "
         "image; was the image given as the table?)"},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
         "the file holds binary data, not a CSV or JSON table"},
        {std::string(kTableSizeLimit + 1, 'x'), tableTooLargeProblem(kTableSizeLimit + 1)},
        {"enemy;name;hp_index\n0;a;1\n",
         "header: the columns are separated by \";\", not by commas; save the table as CSV "
         "with commas (\"CSV UTF-8\")"},
        {"enemy\tname\thp_index\n",
         "header: the columns are separated by tabs, not by commas; save the table as CSV with "
         "commas (\"CSV UTF-8\")"},
        {"\"enemy\"",
         "the file is JSON that is not a table (it holds a string); expected a JSON "
         "array of enemies"},
        {" -5 ",
         "the file is JSON that is not a table (it holds a number); expected a JSON array "
         "of enemies"},
        {"// enemies\n[]",
         "the file is JSON that is not a table (it begins with a comment, and a table holds "
         "none); expected a JSON array of enemies"},
        {"[1, 2", "not valid JSON: the text ends at line 1, column 6 before the JSON is complete"},
        {"[\n {\"a\" 1}]", "not valid JSON at line 2, column 7: unexpected \"1\""},
    };
    for (const auto& [bytes, problem] : cases) {
        EXPECT_EQ(onlyProblem(import(block, bytes)), problem) << bytes.substr(0, 40);
    }
}

TEST(TableImport, ChoosesTheFormatByContentAndNeverShowsAByteOrderMark) {
    const EnemyBlock block = sampleBlock();
    const std::string mark = "\xEF\xBB\xBF";
    for (const std::string& text :
         {mark + mark + exportJson(block), "\r\n " + exportJson(block), mark + exportCsv(block)}) {
        const ImportPlan plan = import(block, text);
        EXPECT_TRUE(plan.problems.empty()) << plan.problems.shown().front();
        EXPECT_EQ(plan.enemyCount, 200);
    }
    // Two exported tables joined: the second header is a row whose cells are no numbers.
    const ImportPlan joined = import(block, exportCsv(block) + exportCsv(block));
    ASSERT_FALSE(joined.problems.empty());
    for (const std::string& problem : joined.problems.shown()) {
        EXPECT_EQ(problem.find(mark), std::string::npos) << problem;
    }
    EXPECT_EQ(joined.problems.shown().front(),
              "line 202, enemy: \"<byte-order mark>enemy\" is not a number; expected a whole "
              "number from 0 to 199");
}

TEST(TableImport, BlanksAroundHeadersAndCellsAndRowsOfSeparatorsDoNotCount) {
    const EnemyBlock block = sampleBlock();
    std::string text = exportCsv(block);
    text.replace(text.find("attack"), 6, " attack\t");
    text.replace(text.find("\r\n005,") + 2, 4, " 005 , ");
    text += ",,,,\r\n , ,\t\r\n";
    const ImportPlan plan = import(block, text);
    EXPECT_TRUE(plan.problems.empty()) << plan.problems.shown().front();
    EXPECT_EQ(plan.enemyCount, 200);
}

TEST(TableImport, ManyProblemsKeepAScreenfulAndCountTheRest) {
    std::string text = exportCsv(sampleBlock()).substr(0, exportCsv(sampleBlock()).find("\r\n"));
    for (int line = 0; line < 5000; ++line) text += "\r\njunk";
    const ImportPlan plan = import(sampleBlock(), text);
    EXPECT_EQ(plan.problems.total(), 5000u);
    const auto lines = plan.problems.lines();
    ASSERT_EQ(lines.size(), ProblemList::kShown + 1);
    EXPECT_EQ(lines.back(), "and 4980 more problem(s)");
}

// One problem of each kind of place and of text, in Japanese.
TEST(TableImportInJapanese, SaysWhereAndWhatInWholeSentences) {
    const ScopedLanguage japanese(text::Language::Japanese);
    const EnemyBlock block = sampleBlock();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {csvWith(block, 7, "defense", "256"),
         "9行目（敵キャラ 007）、defense: 256 は範囲外です。0〜255 の整数を書いてください。"},
        {"enemy\r\n\x82\xA0\r\n",
         "2行目: ファイルが UTF-8 のテキストではありません（Shift-JIS で保存されたようです）。"
         "「CSV UTF-8」で保存し直して、もう一度読み込んでください。"},
        {"[{\"enemy\": 5, \"attack\": [1]}]",
         "1番目の項目（敵キャラ 005）、attack: 数値か文字列が必要です。JSON の配列は使えません。"},
    };
    for (const auto& [text, problem] : cases) {
        const ImportPlan plan = import(block, text);
        ASSERT_FALSE(plan.problems.empty()) << problem;
        EXPECT_EQ(plan.problems.shown().front(), problem);
    }
    ProblemList many;
    for (std::size_t i = 0; i < ProblemList::kShown + 3; ++i) many.add("x");
    EXPECT_EQ(many.lines().back(), "ほかに 3 件の問題があります。");
}

TEST(TableImport, RefusesADuplicateEnemyNamingBothRows) {
    const EnemyBlock block = sampleBlock();
    std::string text = exportCsv(block);
    text += csvLine(enemyRow(block, 3));
    EXPECT_EQ(onlyProblem(import(block, text)),
              "line 202, enemy: enemy 003 appears twice (also at line 5)");
}

TEST(TableImport, OverlappingListsMustAgreeOnTheirSharedBytes) {
    EnemyBlock block = sampleBlock();
    // Enemy 13's list (start 62) runs into enemy 14's (start 65) with 5 abilities.
    block.bytes()[EnemyBlock::recordOffset(13)] = static_cast<std::uint8_t>(4 << 3);
    ASSERT_EQ(block.abilityCount(13), 5);
    const std::string other = std::to_string((block.abilityAt(14, 0) + 1) % 256);
    const ImportPlan plan = import(block, csvWith(block, 13, "ability4", other));
    ASSERT_EQ(plan.problems.total(), 1u);
    EXPECT_NE(plan.problems.shown()[0].find("line 16 (enemy 014), ability1: "), std::string::npos)
        << plan.problems.shown()[0];
    EXPECT_NE(plan.problems.shown()[0].find("ability4 of enemy 013 (line 15)"), std::string::npos)
        << plan.problems.shown()[0];
    EXPECT_NE(plan.problems.shown()[0].find("share pool byte 2170"), std::string::npos)
        << plan.problems.shown()[0];
    EXPECT_TRUE(import(block, exportCsv(block)).problems.empty());
}

TEST(TableImport, JsonNamesEntryEnemyAndKeyOfEveryProblem) {
    const EnemyBlock block = sampleBlock();
    const std::string hp = std::string(hpLabel(1));
    const std::string rest =
        R"("kero_index": 2, "defense": 1, "speed": 1, "magic": 1, "abilities": [)";
    const std::string ability = R"({"id": 63, "name": "44マグナム"})";
    const std::string deep(50000, '[');
    auto beyondDouble = [](const std::string& where) {
        return "entry 1 (enemy 004), " + where +
               " is out of range; no field holds a number of this size";
    };
    auto beyondField = [](const std::string& number) {
        return "entry 1 (enemy 004), attack: " + number +
               " is out of range; expected a whole number from 0 to 255";
    };
    auto entry = [&](const std::string& keys, const std::string& firstAbility) {
        std::string abilities = firstAbility;
        for (int slot = 1; slot < block.abilityCount(4); ++slot) abilities += ", 0";
        return R"([{"enemy": 4, "hp_index": 1, )" + keys + rest + abilities + "]}]";
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {entry(R"("attack": "x", )", ability),
         "entry 1 (enemy 004), attack: \"x\" is not a number; expected a whole number from 0 to "
         "255"},
        {entry(R"("attack": 1, )", R"({"id": 63, "name": "ポーション"})"),
         "entry 1 (enemy 004), ability1: \"name\" \"ポーション\" contradicts \"id\" 63, which is "
         "\"44マグナム\"; the id decides, so remove \"name\" or set it to \"44マグナム\""},
        {entry(R"("attack": 1, "hp": "600", )", ability),
         "entry 1 (enemy 004), hp: \"600\" contradicts hp_index 1, which is \"" + hp +
             "\"; the numbers decide, so remove the key \"hp\" or set it to \"" + hp + "\""},
        {entry(R"("attack": 1, "attack": 2, )", ability),
         "entry 1 (enemy 004): the key \"attack\" appears twice; keep one of them"},
        {entry(R"("attack": 1, )", R"({"id": 63, "id": 64})"),
         "entry 1 (enemy 004), abilities: the key \"id\" appears twice; keep one of them"},
        {R"({"enemy": 4})", "expected a JSON array of enemies"},
        // Numbers no double holds, and numbers no field holds.
        {entry(R"("attack": 1e400, )", ability), beyondDouble("attack: 1e400")},
        {entry(R"("attack": -1e400, )", ability), beyondDouble("attack: -1e400")},
        {entry(R"("attack": 1, )", R"({"id": 1e309})"), beyondDouble("abilities, id: 1e309")},
        {entry(R"("attack": 1e308, )", ability), beyondField("1e+308")},
        {entry(R"("attack": -1e300, )", ability), beyondField("-1e+300")},
        // Nesting is refused as it is read, never built or written out.
        {entry("\"attack\": " + deep, ability),
         "entry 1 (enemy 004), attack: arrays and objects nested more than 16 deep; a table "
         "nests four deep"},
        {entry(R"("attack": 1, )", "{\"id\": " + deep),
         "entry 1 (enemy 004), abilities, id: arrays and objects nested more than 16 deep; a "
         "table nests four deep"},
        {entry(R"("attack": [[1]], )", ability),
         "entry 1 (enemy 004), attack: expected a number or a text, not a JSON array"},
    };
    for (const auto& [text, problem] : cases) {
        EXPECT_EQ(onlyProblem(import(block, text)), problem) << text;
    }
    EXPECT_TRUE(import(block, entry(R"("attack": 1, )", ability)).problems.empty());
}

}  // namespace
}  // namespace vesk::exchange
