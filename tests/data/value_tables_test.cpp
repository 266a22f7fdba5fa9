#include "data/value_tables.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(ValueTables, HpLabelsAreShownAsListedWithTheirRepeats) {
    EXPECT_EQ(hpLabel(0), "20");
    EXPECT_EQ(hpLabel(21), "795");
    EXPECT_EQ(hpLabel(22), "250");
    EXPECT_EQ(hpLabel(25), "1500");
    EXPECT_EQ(hpLabel(26), "1500");
    EXPECT_EQ(hpLabel(28), "2000");
    EXPECT_EQ(hpLabel(30), "2000");
    EXPECT_EQ(hpLabel(39), "25690");
    EXPECT_EQ(hpLabel(40), "0");
    EXPECT_EQ(hpLabel(43), "16386");
    EXPECT_EQ(hpLabel(44), "????");
}

TEST(ValueTables, KeroLabels) {
    const char* expected[] = {"0",    "40",   "120",  "240",  "400",  "600",  "900",  "1200",
                              "1600", "2000", "2400", "4000", "4800", "5500", "6500", "9999"};
    for (int p = 0; p < kKeroLabelCount; ++p) EXPECT_EQ(keroLabel(p), expected[p]);
}

TEST(ValueTables, IndexesPastTheTableShowTheLastEntry) {
    EXPECT_EQ(hpPosition(0), 0);
    EXPECT_EQ(hpPosition(43), 43);
    EXPECT_EQ(hpPosition(44), 44);
    EXPECT_EQ(hpPosition(45), 44);
    EXPECT_EQ(hpPosition(200), 44);
    EXPECT_EQ(hpPosition(255), 44);
}

TEST(ValueTables, UnknownEntryKeepsAnOutOfTableIndexAndOtherwiseStoresThePosition) {
    EXPECT_EQ(hpStored(200, 44), 200);  // left on "????"
    EXPECT_EQ(hpStored(200, 0), 0);     // set to "20"
    EXPECT_EQ(hpStored(10, 44), 44);    // "????" chosen for a table index
    EXPECT_EQ(hpStored(44, 44), 44);
    EXPECT_EQ(hpStored(45, 43), 43);
    EXPECT_EQ(hpStored(3, 3), 3);
}

}  // namespace
}  // namespace vesk
