#include "app/stat_text.h"

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

TEST(StatText, ClampsToAByte) {
    EXPECT_EQ(clampedStatValue("-5"), 0);
    EXPECT_EQ(clampedStatValue("300"), 255);
    EXPECT_EQ(clampedStatValue("255"), 255);
    EXPECT_EQ(clampedStatValue(" 1"), 1);
}

}  // namespace
}  // namespace vesk
