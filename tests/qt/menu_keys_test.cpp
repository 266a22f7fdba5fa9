// The menu bar from the keyboard: F10, like a lone Alt, hands it the keyboard with its
// first title highlighted, wherever the focus is.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "qt_dialog.h"
#include "recording_events.h"
#include "resource_ids.h"

namespace vesk::platform::qt {
namespace {

class MenuKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.initialise();
        dialog.showCentred();
        QApplication::setActiveWindow(&dialog.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog.window()));
        field().setFocus();
        ASSERT_TRUE(field().hasFocus());
    }

    QWidget& field() { return *dialog.control(IDC_STAT_ATTACK); }
    QAction* firstMenu() { return dialog.menuBar().actions().first(); }

    // Highlighted in the menu bar with its menu still closed.
    bool firstTitleHighlighted() {
        return dialog.menuBar().activeAction() == firstMenu() && !firstMenu()->menu()->isVisible();
    }

    test::RecordingEvents events;
    QtDialog dialog{events};
};

TEST_F(MenuKeysTest, F10HighlightsTheFirstMenuAsAltDoes) {
    QTest::keyClick(&field(), Qt::Key_Alt);
    ASSERT_TRUE(firstTitleHighlighted()) << "Alt, the behaviour F10 copies";
    QTest::keyClick(&dialog.menuBar(), Qt::Key_Escape);
    field().setFocus();
    ASSERT_EQ(dialog.menuBar().activeAction(), nullptr);

    QTest::keyClick(&field(), Qt::Key_F10);
    EXPECT_TRUE(firstTitleHighlighted());
    // The keyboard now walks the menu bar: Down opens the highlighted menu.
    QTest::keyClick(&dialog.menuBar(), Qt::Key_Down);
    EXPECT_TRUE(firstMenu()->menu()->isVisible());
    firstMenu()->menu()->close();
    EXPECT_TRUE(events.commands.empty()) << "F10 itself runs no command";
}

TEST_F(MenuKeysTest, F10WithAModifierIsNotTheMenuKey) {
    QTest::keyClick(&field(), Qt::Key_F10, Qt::ControlModifier);
    EXPECT_EQ(dialog.menuBar().activeAction(), nullptr);
}

}  // namespace
}  // namespace vesk::platform::qt
