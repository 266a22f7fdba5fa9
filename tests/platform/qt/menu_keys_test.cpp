// The menu bar from the keyboard: F10 opens its first menu wherever the focus is.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "layout/resource_ids.h"
#include "platform/qt/dialog.h"
#include "recording_events.h"

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

    test::RecordingEvents events;
    QtDialog dialog{events};
};

TEST_F(MenuKeysTest, F10OpensTheFirstMenuFromAnyControl) {
    for (int id : {IDC_STAT_ATTACK, IDC_ENEMY_LIST, IDC_ABILITY_LIST, IDC_REPLACE}) {
        SCOPED_TRACE(id);
        dialog.setEnabled(id, true);
        dialog.control(id)->setFocus();
        QTest::keyClick(dialog.control(id), Qt::Key_F10);
        ASSERT_EQ(dialog.menuBar().activeAction(), firstMenu());
        EXPECT_TRUE(firstMenu()->menu()->isVisible());
        for (const auto& [command, event] : events.commands) {
            EXPECT_NE(event, ControlEvent::Pressed) << "F10 itself runs no command";
        }
        // The keyboard now walks the menus: Right moves on to the next one.
        QTest::keyClick(firstMenu()->menu(), Qt::Key_Right);
        EXPECT_EQ(dialog.menuBar().activeAction(), dialog.menuBar().actions().at(1));
        QApplication::activePopupWidget()->close();
        events.clear();
    }
}

TEST_F(MenuKeysTest, F10WithAModifierIsNotTheMenuKey) {
    QTest::keyClick(&field(), Qt::Key_F10, Qt::ControlModifier);
    EXPECT_EQ(dialog.menuBar().activeAction(), nullptr);
}

}  // namespace
}  // namespace vesk::platform::qt
