// Dialog units to pixels, rounded as the dialog manager rounds.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QStringList>

#include <thread>

#include "platform/qt/dialog_font.h"
#include "platform/qt/dialog_units.h"

namespace vesk::platform::qt {
namespace {

TEST(DialogUnitsTest, QuarterAverageWidthAcrossAndEighthHeightDown) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.x(4), 6);
    EXPECT_EQ(units.x(186), 279);
    EXPECT_EQ(units.y(8), 13);
    EXPECT_EQ(units.y(122), 198);  // 198.25
    EXPECT_EQ(units.x(1), 2);      // 1.5 rounds up
    EXPECT_EQ(units.y(3), 5);      // 4.875
    EXPECT_EQ(units.rect(95, 16, 82, 68), QRect(143, 26, 123, 111));
}

TEST(DialogUnitsTest, WindowFontIsJapaneseAtNinePoints) {
    const QFont font = dialogFont();
    EXPECT_EQ(font.pointSize(), 9);
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(font.families().contains(family)) << family.toStdString();
    const DialogUnits units(font);
    EXPECT_GT(units.baseX(), 3);
    EXPECT_GT(units.baseY(), 8);
}

TEST(DialogUnitsTest, WindowUnitsMeasuredOnAnotherThreadMatchTheWindowFont) {
    // Start-up measures them on a second thread; the window must get the same numbers.
    const DialogUnits* measured = nullptr;
    std::thread([&measured] { measured = &dialogUnits(); }).join();
    const DialogUnits here(dialogFont());
    EXPECT_EQ(measured->baseX(), here.baseX());
    EXPECT_EQ(measured->baseY(), here.baseY());
    EXPECT_EQ(&dialogUnits(), measured);
}

}  // namespace
}  // namespace vesk::platform::qt
