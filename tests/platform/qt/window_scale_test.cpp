// At a scale of 200 % the window is drawn twice as large, from the same layout in
// logical pixels; the layout tests run in this program too, so no text is cut off.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPixmap>
#include <QTest>
#include <QWindow>

#include "layout/main_dialog_layout.h"
#include "platform/qt/dialog.h"
#include "recording_events.h"

namespace vesk::platform::qt {
namespace {

TEST(WindowScaleTest, TheWindowIsDrawnTwiceTheSize) {
    test::RecordingEvents events;
    QtDialog dialog{events};
    dialog.initialise();
    dialog.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog.window()));

    QWidget& window = dialog.window();
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_DOUBLE_EQ(window.windowHandle()->devicePixelRatio(), 2.0);
    const QSize logical(dialog.units().x(layout::kWidth),
                        dialog.menuBar().height() + dialog.units().y(layout::kHeight));
    EXPECT_EQ(window.size(), logical);
    const QPixmap drawn = window.grab();
    EXPECT_EQ(drawn.size(), logical * 2) << "device pixels";
}

}  // namespace
}  // namespace vesk::platform::qt
