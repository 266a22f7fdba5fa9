#include "data/stat_text.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(StatText, ReadsLikeAtoi) {
    EXPECT_EQ(parseStatText("42"), 42);
    EXPECT_EQ(parseStatText("007"), 7);
    EXPECT_EQ(parseStatText("  12x"), 12);
    EXPECT_EQ(parseStatText("+9"), 9);
    EXPECT_EQ(parseStatText("-5"), -5);
    EXPECT_EQ(parseStatText(""), 0);
    EXPECT_EQ(parseStatText("abc"), 0);
    EXPECT_EQ(parseStatText("--1"), 0);
    EXPECT_EQ(parseStatText("99999999999999999999"), 1'000'000);  // saturates, no overflow
}

// What a stat field shows after an edit left a text in it, in the window and the page.
TEST(StatText, AnEditLeavesTheValueTheTextReadsAs) {
    const struct {
        const char* left;
        const char* shown;
        bool selectAll;
    } cases[] = {{"", "0", true},       {"7", "7", false},     {"007", "7", false},
                 {"255", "255", false}, {"300", "255", false}, {"-5", "0", false},
                 {" 1", "1", false},    {"12.", "12", false},  {"abc", "0", false}};
    for (const auto& c : cases) {
        const StatFieldText shown = statFieldAfterEdit(c.left);
        EXPECT_EQ(shown.text, c.shown) << '"' << c.left << '"';
        EXPECT_EQ(shown.selectAll, c.selectAll) << '"' << c.left << '"';
    }
    EXPECT_TRUE(isStatFieldCharacter(U'0'));
    EXPECT_TRUE(isStatFieldCharacter(U'9'));
    for (char32_t c : {U'a', U'-', U'.', U' ', U'５'}) EXPECT_FALSE(isStatFieldCharacter(c));
}

}  // namespace
}  // namespace vesk
