#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "exchange/csv.h"
#include "exchange/enemy_table.h"

namespace vesk::exchange {
namespace {

// Enemy 0 with HP index 44 ("????"), ケロ 5, stats 1-4 and three abilities; the
// count byte's other bits and the ケロ byte's high bits set, which must not show.
EnemyBlock handMadeBlock() {
    EnemyBlock block;
    block.bytes()[0] = 0x80 | (2 << 3) | 0x05;
    block.setHpIndex(0, 44);
    block.bytes()[6] = 0xA5;
    for (int k = 0; k < 4; ++k) block.setStat(0, k, k + 1);
    block.setAbilityAt(0, 0, 63);
    block.setAbilityAt(0, 1, 221);
    block.setAbilityAt(0, 2, 255);
    return block;
}

TEST(TableExport, CsvHasTheByteOrderMarkTheExactHeaderAndCrlfRows) {
    const std::string csv = exportCsv(handMadeBlock());
    const std::string expectedStart =
        "\xEF\xBB\xBF"
        "enemy,name,hp_index,hp,kero_index,kero,attack,defense,speed,magic,ability_count,"
        "ability1,ability2,ability3,ability4,ability5,ability6,ability7,ability8\r\n"
        "000,ハエおとこ,44,????,5,600,1,2,3,4,3,063 : 44マグナム,221 : ○れいき／ぶき,"
        "255 : （なし）,,,,,\r\n"
        "001,ドラゴンフライ,0,20,0,0,0,0,0,0,1,000 : ポーション,,,,,,,\r\n";
    EXPECT_EQ(csv.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 201);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\r'), 201);
}

TEST(TableExport, JsonHasTheSameKeysAndAnAbilityArray) {
    const auto json = nlohmann::json::parse(exportJson(handMadeBlock()));
    ASSERT_EQ(json.size(), 200u);
    const auto expected = nlohmann::json::parse(R"({
        "enemy": 0, "name": "ハエおとこ", "hp_index": 44, "hp": "????", "kero_index": 5,
        "kero": "600", "attack": 1, "defense": 2, "speed": 3, "magic": 4, "ability_count": 3,
        "abilities": [{"id": 63, "name": "44マグナム"}, {"id": 221, "name": "○れいき／ぶき"},
                      {"id": 255, "name": "（なし）"}]})");
    EXPECT_EQ(json[0], expected);
    EXPECT_EQ(json[199]["name"], "かみ");
}

TEST(Csv, QuotesOnlyCellsThatNeedIt) {
    EXPECT_EQ(csvLine({"a", "b c", "x,y", "say \"hi\"", "two\nlines", ""}),
              "a,b c,\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
}

TEST(Csv, ReadsWhatItWritesAndTheUsualVariants) {
    const std::string written = "\xEF\xBB\xBF" +
                                csvLine({"a", "x,y", "say \"hi\"", "two\r\nlines"}) +
                                csvLine({"1", "", "3", "4"});
    const CsvParse parsed = parseCsv(written);
    ASSERT_TRUE(parsed.problem.empty()) << parsed.problem;
    ASSERT_EQ(parsed.rows.size(), 2u);
    EXPECT_EQ(parsed.rows[0].cells,
              (std::vector<std::string>{"a", "x,y", "say \"hi\"", "two\r\nlines"}));
    EXPECT_EQ(parsed.rows[1].line, 3);  // the quoted line break counts

    const CsvParse plain = parseCsv("a,b\n\n1,2");  // LF, a blank line, no final line end
    ASSERT_EQ(plain.rows.size(), 2u);
    EXPECT_EQ(plain.rows[1].cells, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(plain.rows[1].line, 3);
}

TEST(Csv, NamesTheLineOfBrokenQuoting) {
    EXPECT_EQ(parseCsv("a,b\r\n\"open,1\r\n").problem, "line 2: a quoted cell is never closed");
    EXPECT_EQ(parseCsv("a\r\n\"x\"y\r\n").problem,
              "line 2: text after the closing quote of a cell");
}

}  // namespace
}  // namespace vesk::exchange
