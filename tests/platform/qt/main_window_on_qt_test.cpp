// The editor's main window running on the Qt window: typing into the stat fields, opening
// an image through the chooser and choosing enemies by keyboard. Its first state and how
// it closes are the dialog contract's (tests/platform/dialog_contract_test.cpp).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/editor_session.h"
#include "chooser_answer.h"
#include "data/enemy_block.h"
#include "data/name_tables.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "modal_answer.h"
#include "platform/qt/dialog.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk::platform::qt {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class MainWindowOnQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.initialise();
        dialog.showCentred();
        QApplication::setActiveWindow(&dialog.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog.window()))
            << "the main window did not become active within 5 s";
    }

    QComboBox& combo(int id) { return *qobject_cast<QComboBox*>(dialog.control(id)); }
    QLineEdit& stat(int k) {
        return *qobject_cast<QLineEdit*>(dialog.control(layout::kStatFieldIds[k]));
    }

    void openSample(std::uint32_t seed) {
        const std::string path = dir.path("sample.gb");
        ASSERT_TRUE(tools::writeSampleImage(path, seed));
        const test::ModalAnswer<QFileDialog> chooser([&](QFileDialog& shown) {
            test::enterPathInChooser(shown, QString::fromStdString(path));
        });
        dialog.menuEntry(IDM_OPEN)->trigger();
        ASSERT_TRUE(chooser.answered());
        expected.bytes() = {};
        const std::vector<std::uint8_t> bytes = tools::makeSampleImage(seed);
        std::copy_n(bytes.begin() + EnemyBlock::kImageOffset, EnemyBlock::kSize,
                    expected.bytes().begin());
    }

    vesk::test::TempDir dir;
    EnemyBlock expected;
    EditorSession session{SettingsFile(dir.path("data.ini"))};
    QtDialog dialog{session.window};
};

TEST_F(MainWindowOnQtTest, TypedStatsStayDigitsUpTo255WithCaretAtEnd) {
    QLineEdit& attack = stat(0);
    attack.setFocus();
    attack.setCursorPosition(1);
    QTest::keyClick(&attack, Qt::Key_3);
    EXPECT_EQ(attack.text(), "3");
    QTest::keyClick(&attack, Qt::Key_0);
    EXPECT_EQ(attack.text(), "30");
    QTest::keyClick(&attack, Qt::Key_0);
    EXPECT_EQ(attack.text(), "255");
    EXPECT_EQ(attack.cursorPosition(), 3);
    EXPECT_FALSE(attack.hasSelectedText());

    QTest::keyClick(&attack, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&attack, Qt::Key_Backspace);
    EXPECT_EQ(attack.text(), "0");
    EXPECT_EQ(attack.selectedText(), "0") << "the next digit replaces the 0";
    QTest::keyClick(&attack, Qt::Key_7);
    EXPECT_EQ(attack.text(), "7");
}

TEST_F(MainWindowOnQtTest, TabIntoStatFieldSelectsItsTextSoTypingReplacesIt) {
    dialog.setText(IDC_STAT_DEFENSE, "45");
    stat(0).setFocus();
    QTest::keyClick(&stat(0), Qt::Key_Tab);
    ASSERT_EQ(dialog.window().focusWidget(), &stat(1));
    EXPECT_EQ(stat(1).selectedText(), "45");
    QTest::keyClicks(&stat(1), "12");
    EXPECT_EQ(stat(1).text(), "12");
}

TEST_F(MainWindowOnQtTest, OpeningThroughTheChooserEnablesEditingAndShowsEnemy) {
    ASSERT_NO_FATAL_FAILURE(openSample(11));
    EXPECT_TRUE(dialog.control(IDC_ENEMY_LIST)->isEnabled());
    EXPECT_TRUE(dialog.control(IDC_REPLACE)->isEnabled());
    EXPECT_TRUE(dialog.menuEntry(IDM_SAVE)->isEnabled());
    EXPECT_TRUE(dialog.menuEntry(IDM_SAVE_AS)->isEnabled());
    EXPECT_EQ(dialog.window().focusWidget(), dialog.control(IDC_ENEMY_LIST));
    EXPECT_EQ(stat(1).text().toInt(), expected.stat(0, 1));

    // Down twice on the enemy list is two user choices: enemy 2 is shown.
    QTest::keyClick(&combo(IDC_ENEMY_LIST), Qt::Key_Down);
    QTest::keyClick(&combo(IDC_ENEMY_LIST), Qt::Key_Down);
    EXPECT_EQ(dialog.selectedItem(IDC_ENEMY_LIST), 2);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(stat(k).text().toInt(), expected.stat(2, k)) << k;
    EXPECT_EQ(dialog.selectedItem(IDC_KERO_LIST), expected.keroIndex(2));
    auto* abilities = qobject_cast<QListWidget*>(dialog.control(IDC_ABILITY_LIST));
    ASSERT_EQ(abilities->count(), expected.abilityCount(2));
    EXPECT_EQ(abilities->item(0)->text(), qs(abilityLabel(expected.abilityAt(2, 0))));
    EXPECT_EQ(dialog.selectedItem(IDC_ABILITY_LIST), 0);
}

}  // namespace
}  // namespace vesk::platform::qt
