#include "cli/display_width.h"

#include <gtest/gtest.h>

#include "cli/text_table.h"

namespace vesk::cli {
namespace {

TEST(DisplayWidth, CountsWideCharactersAsTwoColumns) {
    EXPECT_EQ(displayWidth("abc 123"), 7u);
    EXPECT_EQ(displayWidth("ハエおとこ"), 10u);
    EXPECT_EQ(displayWidth("044 : 44マグナム"), 8u + 8u);         // ASCII, then 4 katakana
    EXPECT_EQ(displayWidth("（なし）"), 8u);                      // full-width parentheses
    EXPECT_EQ(displayWidth("○れいき／ぶき"), 1u + 6u + 2u + 4u);  // ○ is narrow, ／ full-width
    EXPECT_EQ(displayWidth("空白(エスパー)"), 4u + 1u + 8u + 1u);
    EXPECT_EQ(displayWidth("ｶﾀｶﾅ"), 4u);              // half-width katakana
    EXPECT_EQ(displayWidth("か\xE3\x82\x99"), 2u);    // combining voiced mark
    EXPECT_EQ(displayWidth("\xF0\xA0\x80\x8B"), 2u);  // CJK extension B
    EXPECT_EQ(displayWidth("a\xFF"
                           "b\xE3\x81"),
              5u);  // each byte of a broken character: one column
}

TEST(DisplayWidth, PadsToColumnsNotBytes) {
    EXPECT_EQ(padRight("攻", 4), "攻  ");
    EXPECT_EQ(padLeft("20", 4), "  20");
    EXPECT_EQ(padRight("ドラゴンフライ", 4), "ドラゴンフライ");
}

TEST(TextTable, LinesUpMixedWidthColumns) {
    TextTable table({TextTable::Align::Left, TextTable::Align::Right, TextTable::Align::Left});
    table.addRow({"敵", "HP", "アビリティ"});
    table.addRow({"000 : ハエおとこ", "????", "x"});
    table.addRow({"169 : 28ごう", "20", ""});
    EXPECT_EQ(table.render(),
              "敵                  HP  アビリティ\n"
              "000 : ハエおとこ  ????  x\n"
              "169 : 28ごう        20\n");
}

}  // namespace
}  // namespace vesk::cli
