#include "io/ini_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace vesk::ini {
namespace {

TEST(IniText, FindsValuesByNameWithoutRegardToCaseOrSpaces) {
    const std::string text =
        "; comment\n"
        "top=0\n"
        "[ First ]\n"
        "  Key  =  some value  \n"
        "quoted=\"a b\"\n"
        "single='c'\n"
        "empty=\n"
        "noequals\n"
        "[Second]\n"
        "key=second\n";
    EXPECT_EQ(findValue(text, "first", "KEY"), "some value");
    EXPECT_EQ(findValue(text, "First", "quoted"), "a b");
    EXPECT_EQ(findValue(text, "First", "single"), "c");
    EXPECT_EQ(findValue(text, "First", "empty"), "");
    EXPECT_EQ(findValue(text, "second", "key"), "second");
    EXPECT_EQ(findValue(text, "First", "noequals"), std::nullopt);
    EXPECT_EQ(findValue(text, "First", "top"), std::nullopt);
    EXPECT_EQ(findValue(text, "Third", "key"), std::nullopt);
    EXPECT_EQ(findValue(text, "", "top"), std::nullopt);
}

TEST(IniText, CommentsAreNeverKeysAndTheFirstOccurrenceCounts) {
    const std::string text = "[S]\n;k=1\n  ; k=2\nk=3\nk=4\n[S]\nk=5\nj=6\n";
    EXPECT_EQ(findValue(text, "S", "k"), "3");
    EXPECT_EQ(findValue(text, "S", "j"), "6");
    EXPECT_EQ(findValue(text, "S", ";k"), std::nullopt);
}

TEST(IniText, ReadsWindowsLineBreaksAndAByteOrderMark) {
    const std::string text = "\xEF\xBB\xBF[Vesk Tool]\r\nbackup=1\r\nnext= 2 \r\n";
    EXPECT_EQ(findValue(text, "Vesk Tool", "backup"), "1");
    EXPECT_EQ(findValue(text, "Vesk Tool", "next"), "2");
}

TEST(IniText, IntegersReadLikeTheWindowsProfileCall) {
    EXPECT_EQ(readInteger(std::nullopt, 7), 7);
    EXPECT_EQ(readInteger("", 7), 7);
    EXPECT_EQ(readInteger("1", 7), 1);
    EXPECT_EQ(readInteger("01", 7), 1);
    EXPECT_EQ(readInteger("1x", 7), 1);
    EXPECT_EQ(readInteger("+1", 7), 1);
    EXPECT_EQ(readInteger("-12abc", 7), -12);
    EXPECT_EQ(readInteger("yes", 7), 0);
    EXPECT_EQ(readInteger("-", 7), 0);
    EXPECT_EQ(readInteger("4294967297", 7), INT_MAX);
    EXPECT_EQ(readInteger("-2147483648", 7), INT_MIN);
    EXPECT_EQ(readInteger("-99999999999", 7), INT_MIN);
}

TEST(IniText, ChangingAKeyTouchesOnlyItsValue) {
    const std::string text = "; c\n[A]\nk=1\n[S]\n  Key =  old  \nz=9\n";
    EXPECT_EQ(withValue(text, "s", "key", "new"), "; c\n[A]\nk=1\n[S]\n  Key =  new  \nz=9\n");
    EXPECT_EQ(withValue("[S]\nkey=\nz=1", "S", "key", "v"), "[S]\nkey=v\nz=1");
    EXPECT_EQ(withValue("[S]\r\nkey=\"q\"\r\n", "S", "key", "v"), "[S]\r\nkey=v\r\n");
}

TEST(IniText, ANewKeyGoesAfterTheLastKeyOfItsSection) {
    EXPECT_EQ(withValue("[S]\na=1\n; note\n\n[T]\nb=2\n", "S", "k", "v"),
              "[S]\na=1\nk=v\n; note\n\n[T]\nb=2\n");
    EXPECT_EQ(withValue("[S]\n\n[T]\n", "S", "k", "v"), "[S]\nk=v\n\n[T]\n");
    EXPECT_EQ(withValue("[S]\na=1", "S", "k", "v"), "[S]\na=1\nk=v");
    EXPECT_EQ(withValue("[S]", "S", "k", "v"), "[S]\nk=v");
    EXPECT_EQ(withValue("[S]\r\na=1\r\n[S]\r\nb=2\r\n", "S", "k", "v"),
              "[S]\r\na=1\r\nk=v\r\n[S]\r\nb=2\r\n");
}

TEST(IniText, ANewSectionGoesAtTheEndInTheTextsLineBreaks) {
    EXPECT_EQ(withValue("", "S", "k", "v"), "[S]\nk=v\n");
    EXPECT_EQ(withValue("[A]\na=1\n", "S", "k", "v"), "[A]\na=1\n\n[S]\nk=v\n");
    EXPECT_EQ(withValue("[A]\na=1", "S", "k", "v"), "[A]\na=1\n\n[S]\nk=v\n");
    EXPECT_EQ(withValue("[A]\na=1\n\n", "S", "k", "v"), "[A]\na=1\n\n[S]\nk=v\n");
    EXPECT_EQ(withValue("\xEF\xBB\xBF[A]\r\na=1\r\n", "S", "k", "v"),
              "\xEF\xBB\xBF[A]\r\na=1\r\n\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(withValue("\xEF\xBB\xBF", "S", "k", "v"), "\xEF\xBB\xBF[S]\nk=v\n");
}

TEST(IniText, WhatIsWrittenIsFoundAgain) {
    const std::string texts[] = {"", "[S]\n", "[s]\r\nK=1\r\n", "[A]\nk=2\n", "x\n[S]\n;k=3\n"};
    for (const std::string& text : texts) {
        const std::string written = withValue(text, "S", "k", "value");
        EXPECT_EQ(findValue(written, "S", "k"), "value") << text;
    }
}

TEST(IniText, NamesAndValuesThatWouldBreakTheFileAreRefused) {
    EXPECT_TRUE(canWrite("Vesk Tool", "backup", "0"));
    EXPECT_TRUE(canWrite("表", "ソ", "能"));
    EXPECT_FALSE(canWrite("S", "a=b", "0"));
    EXPECT_FALSE(canWrite("S", "", "0"));
    EXPECT_FALSE(canWrite("S", ";k", "0"));
    EXPECT_FALSE(canWrite("S]", "k", "0"));
    EXPECT_FALSE(canWrite("S", "k", "a\nb"));
    EXPECT_FALSE(canWrite("S", " k", "0"));
    EXPECT_FALSE(canWrite("S", "k", "0 "));
}

TEST(IniText, ALastLineEndingInABareCarriageReturnKeepsItsValue) {
    // A new section after it, and a new key after it in its own section.
    const std::string other = "[Other]\r\nx=1\r";
    const std::string withSection = withValue(other, "Vesk Tool", "backup", "1");
    EXPECT_EQ(withSection, "[Other]\r\nx=1\r\n\r\n[Vesk Tool]\r\nbackup=1\r\n");
    EXPECT_EQ(findValue(withSection, "Other", "x"), "1");
    const std::string withKey = withValue(other, "Other", "y", "2");
    EXPECT_EQ(withKey, "[Other]\r\nx=1\r\ny=2");
    EXPECT_EQ(findValue(withKey, "Other", "x"), "1");
    EXPECT_EQ(findValue(withValue("x=1\r", "S", "k", "v"), "", "x"), std::nullopt);
    EXPECT_EQ(withValue("[S]\nx=1\r", "S", "x", "2"), "[S]\nx=2\r");
}

}  // namespace
}  // namespace vesk::ini
