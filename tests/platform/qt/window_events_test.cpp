// What the Qt window reports and what it does not: the user's edits, choices, clicks,
// menu commands and close requests, never the program's own changes; and how it ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "modal_answer.h"
#include "platform/qt/dialog.h"
#include "recording_events.h"
#include "test_files.h"

namespace vesk::platform::qt {
namespace {

using test::RecordingEvents;
using Command = RecordingEvents::Command;

class WindowEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.initialise();
        dialog.showCentred();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog.window()));
        events.clear();
    }

    QLineEdit& field(int id) { return *qobject_cast<QLineEdit*>(dialog.control(id)); }
    QComboBox& combo(int id) { return *qobject_cast<QComboBox*>(dialog.control(id)); }

    RecordingEvents events;
    QtDialog dialog{events};
};

TEST_F(WindowEventsTest, TypingInStatFieldReportsEditsButSetTextDoesNot) {
    dialog.setText(IDC_STAT_ATTACK, "0");
    dialog.setText(IDC_STAT_ATTACK, "12");
    EXPECT_TRUE(events.commands.empty());

    QLineEdit& attack = field(IDC_STAT_ATTACK);
    attack.setFocus();
    events.clear();
    dialog.selectText(IDC_STAT_ATTACK, 2, 2);
    QTest::keyClicks(&attack, "3");
    EXPECT_EQ(attack.text(), "123");
    QTest::keyClick(&attack, Qt::Key_Backspace);
    EXPECT_EQ(attack.text(), "12");
    const std::vector<Command> changes = {{IDC_STAT_ATTACK, ControlEvent::TextEdited},
                                          {IDC_STAT_ATTACK, ControlEvent::TextEdited}};
    EXPECT_EQ(events.commandsOf(IDC_STAT_ATTACK), changes);
}

TEST_F(WindowEventsTest, StatFieldRefusesTypedNonDigitsAndAFourthCharacter) {
    QLineEdit& defense = field(IDC_STAT_DEFENSE);
    defense.setFocus();
    dialog.setText(IDC_STAT_DEFENSE, "");
    events.clear();
    QTest::keyClicks(&defense, "a-+ .");
    EXPECT_EQ(defense.text(), "");
    QTest::keyClicks(&defense, "9876");
    EXPECT_EQ(defense.text(), "987");
    EXPECT_EQ(events.commandsOf(IDC_STAT_DEFENSE).size(), 3u);
    dialog.setText(IDC_STAT_DEFENSE, "12345");
    EXPECT_EQ(dialog.text(IDC_STAT_DEFENSE, 3), "123");
}

TEST_F(WindowEventsTest, PastedTextGoesInAsItIsAndIsReported) {
    QLineEdit& speed = field(IDC_STAT_SPEED);
    speed.setFocus();
    dialog.setText(IDC_STAT_SPEED, "");
    events.clear();
    QApplication::clipboard()->setText("-5");
    QTest::keySequence(&speed, QKeySequence::Paste);
    EXPECT_EQ(speed.text(), "-5");
    ASSERT_FALSE(events.commandsOf(IDC_STAT_SPEED).empty());
    EXPECT_EQ(events.commandsOf(IDC_STAT_SPEED).back(),
              Command(IDC_STAT_SPEED, ControlEvent::TextEdited));
}

TEST_F(WindowEventsTest, StatFieldFocusChangesAreReported) {
    field(IDC_STAT_MAGIC).setFocus();
    QApplication::processEvents();
    field(IDC_STAT_SPEED).setFocus();
    QApplication::processEvents();
    const std::vector<Command> expected = {{IDC_STAT_MAGIC, ControlEvent::FocusEntered},
                                           {IDC_STAT_MAGIC, ControlEvent::FocusLeft},
                                           {IDC_STAT_SPEED, ControlEvent::FocusEntered}};
    EXPECT_EQ(events.commands, expected);
}

TEST_F(WindowEventsTest, TextSelectionPlacesCaretOrSelects) {
    dialog.setText(IDC_STAT_ATTACK, "255");
    dialog.selectText(IDC_STAT_ATTACK, 0, -1);
    EXPECT_EQ(field(IDC_STAT_ATTACK).selectedText(), "255");
    dialog.selectText(IDC_STAT_ATTACK, 3, 3);
    EXPECT_FALSE(field(IDC_STAT_ATTACK).hasSelectedText());
    EXPECT_EQ(field(IDC_STAT_ATTACK).cursorPosition(), 3);
    dialog.selectText(IDC_STAT_ATTACK, 0, 2);
    dialog.setTextLimit(IDC_STAT_ATTACK, 4);
    EXPECT_EQ(field(IDC_STAT_ATTACK).maxLength(), 4);
    EXPECT_EQ(field(IDC_STAT_ATTACK).text(), "255");
    EXPECT_EQ(field(IDC_STAT_ATTACK).selectedText(), "25");
    EXPECT_EQ(field(IDC_STAT_ATTACK).cursorPosition(), 2);
}

TEST_F(WindowEventsTest, UserChoiceInDropDownReportsSelEndOkProgramChoiceDoesNot) {
    for (const char* label : {"000 : a", "001 : b", "002 : c"})
        dialog.appendItem(IDC_HP_LIST, label);
    dialog.selectItem(IDC_HP_LIST, 0);
    dialog.selectItem(IDC_HP_LIST, 2);
    EXPECT_TRUE(events.commands.empty());

    dialog.selectItem(IDC_HP_LIST, 0);
    combo(IDC_HP_LIST).setFocus();
    QTest::keyClick(&combo(IDC_HP_LIST), Qt::Key_Down);
    EXPECT_EQ(dialog.selectedItem(IDC_HP_LIST), 1);
    const std::vector<Command> expected = {{IDC_HP_LIST, ControlEvent::SelectionChanged},
                                           {IDC_HP_LIST, ControlEvent::SelectionConfirmed}};
    EXPECT_EQ(events.commands, expected);
}

TEST_F(WindowEventsTest, DisabledListAndButtonIgnoreTheUser) {
    dialog.appendItem(IDC_ENEMY_LIST, "000 : a");
    dialog.appendItem(IDC_ENEMY_LIST, "001 : b");
    dialog.selectItem(IDC_ENEMY_LIST, 0);
    QTest::keyClick(&combo(IDC_ENEMY_LIST), Qt::Key_Down);
    QTest::mouseClick(dialog.control(IDC_REPLACE), Qt::LeftButton);
    EXPECT_TRUE(events.commands.empty());
    EXPECT_EQ(dialog.selectedItem(IDC_ENEMY_LIST), 0);

    dialog.setEnabled(IDC_REPLACE, true);
    QTest::mouseClick(dialog.control(IDC_REPLACE), Qt::LeftButton);
    EXPECT_EQ(events.commands, std::vector<Command>({{IDC_REPLACE, ControlEvent::Pressed}}));
}

TEST_F(WindowEventsTest, ListBoxSelectionByProgram) {
    for (const char* label : {"a", "b", "c"}) dialog.appendItem(IDC_ABILITY_LIST, label);
    EXPECT_EQ(dialog.selectedItem(IDC_ABILITY_LIST), -1);
    dialog.selectItem(IDC_ABILITY_LIST, 1);
    EXPECT_EQ(dialog.selectedItem(IDC_ABILITY_LIST), 1);
    dialog.removeItem(IDC_ABILITY_LIST, 1);
    EXPECT_EQ(dialog.selectedItem(IDC_ABILITY_LIST), -1) << "deleting the selected row leaves none";
    dialog.insertItem(IDC_ABILITY_LIST, 1, "B");
    dialog.selectItem(IDC_ABILITY_LIST, 2);
    dialog.removeItem(IDC_ABILITY_LIST, 0);
    EXPECT_EQ(dialog.selectedItem(IDC_ABILITY_LIST), 1) << "the selection follows its row";
    dialog.clearItems(IDC_ABILITY_LIST);
    EXPECT_EQ(dialog.selectedItem(IDC_ABILITY_LIST), -1);
    EXPECT_TRUE(events.commands.empty());
}

TEST_F(WindowEventsTest, MenuEntriesReportCommandsAndOnlyTheProgramMovesCheckMarks) {
    dialog.menuEntry(IDM_OPEN)->trigger();
    dialog.menuEntry(IDM_AUTO_BACKUP)->trigger();
    EXPECT_TRUE(dialog.menuEntryChecked(IDM_AUTO_BACKUP));
    const std::vector<Command> expected = {{IDM_OPEN, ControlEvent::Pressed},
                                           {IDM_AUTO_BACKUP, ControlEvent::Pressed}};
    EXPECT_EQ(events.commands, expected);
    dialog.setMenuEntryChecked(IDM_AUTO_BACKUP, false);
    EXPECT_FALSE(dialog.menuEntryChecked(IDM_AUTO_BACKUP));
    dialog.setMenuEntryEnabled(IDM_SAVE, true);
    EXPECT_TRUE(dialog.menuEntry(IDM_SAVE)->isEnabled());
    EXPECT_EQ(events.commands.size(), 2u);
}

TEST_F(WindowEventsTest, CloseEscapeAndEnterAreReportedButNeverCloseTheWindow) {
    dialog.window().close();
    EXPECT_EQ(events.closes, 1);
    field(IDC_STAT_ATTACK).setFocus();
    events.clear();
    QTest::keyClick(&field(IDC_STAT_ATTACK), Qt::Key_Escape);
    QTest::keyClick(&field(IDC_STAT_ATTACK), Qt::Key_Return);
    QTest::keyClick(&combo(IDC_HP_LIST), Qt::Key_Enter, Qt::KeypadModifier);
    const std::vector<Command> expected = {{IDC_DIALOG_CANCEL, ControlEvent::Pressed},
                                           {IDC_DIALOG_OK, ControlEvent::Pressed},
                                           {IDC_DIALOG_OK, ControlEvent::Pressed}};
    EXPECT_EQ(events.commands, expected);
    EXPECT_TRUE(dialog.window().isVisible());
    EXPECT_FALSE(dialog.ended());
}

TEST_F(WindowEventsTest, PropertyAndIconAreSetOnTheWindow) {
    dialog.setProperty("VeskEdit", 1);
    EXPECT_EQ(dialog.window().property("VeskEdit").toInt(), 1);
    dialog.removeProperty("VeskEdit");
    EXPECT_FALSE(dialog.window().property("VeskEdit").isValid());
    dialog.setLargeIcon(IDI_MAIN);
    EXPECT_FALSE(dialog.window().windowIcon().isNull());
}

TEST_F(WindowEventsTest, ConfirmationAsksWithQuestionIconAndYesAsDefault) {
    QString seen;
    {
        const test::ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
            seen = box.windowTitle() + "|" + box.text();
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
            EXPECT_EQ(box.parentWidget(), &dialog.window());
            QTest::keyClick(&box, Qt::Key_Return);
        });
        EXPECT_TRUE(dialog.askYesNo("データを書き換えます。\nよろしいですか？", "保存確認"));
    }
    EXPECT_EQ(seen, "保存確認|データを書き換えます。\nよろしいですか？");

    const test::ModalAnswer<QMessageBox> answer(
        [](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    EXPECT_FALSE(dialog.askYesNo("?", "c"));
}

TEST_F(WindowEventsTest, ErrorBoxHasErrorIconAndOneButton) {
    const test::ModalAnswer<QMessageBox> answer([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.windowTitle(), "エラー");
        EXPECT_EQ(box.buttons().size(), 1);
        box.buttons().first()->click();
    });
    dialog.showError("ファイルを開けませんでした。", "エラー");
}

TEST_F(WindowEventsTest, ChoosersHaveTitleFilterAndOptionsAndKeepPathOnCancel) {
    vesk::test::TempDir dir;
    const std::string existing = dir.path("game.gb");
    vesk::test::writeBytes(existing, {1, 2, 3});

    std::string path = existing;
    {
        const test::ModalAnswer<QFileDialog> answer([&](QFileDialog& chooser) {
            EXPECT_EQ(chooser.windowTitle(), "ファイルを開く");
            EXPECT_EQ(chooser.nameFilters(), QStringList{"GBファイル (*.gb)"});
            EXPECT_EQ(chooser.fileMode(), QFileDialog::ExistingFile);
            EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptOpen);
            EXPECT_TRUE(chooser.defaultSuffix().isEmpty());
            EXPECT_EQ(chooser.directory().absolutePath().toStdString(),
                      vesk::test::utf8FromPath(dir.root()));
            chooser.reject();
        });
        EXPECT_FALSE(dialog.chooseFile(FileChooser::Open, path));
    }
    EXPECT_EQ(path, existing);

    path = dir.path("new");
    const test::ModalAnswer<QFileDialog> answer([&](QFileDialog& chooser) {
        EXPECT_EQ(chooser.windowTitle(), "名前を付けて保存する");
        EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(chooser.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(chooser.defaultSuffix().isEmpty());
        EXPECT_EQ(chooser.selectedFiles(), QStringList{QString::fromStdString(dir.path("new"))});
        // The user types the name into the active chooser's name field. (QFileDialog::
        // selectFile leaves that field alone while it has the keyboard focus, which it
        // takes when the chooser becomes active: whether this ran before or after that
        // decided the result.)
        auto* name = chooser.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        QApplication::setActiveWindow(&chooser);
        name->setFocus();
        ASSERT_TRUE(name->hasFocus());
        name->selectAll();
        QTest::keyClicks(name, "copy");
        static_cast<QDialog&>(chooser).accept();
    });
    EXPECT_TRUE(dialog.chooseFile(FileChooser::Save, path));
    EXPECT_EQ(path, dir.path("copy")) << "no extension is added";
}

TEST(WindowRunTest, RunsUntilEndAndDeliversDestroyOnce) {
    RecordingEvents events;
    QtDialog dialog(events);
    events.whenInit = [&](Dialog&) { QTimer::singleShot(0, [&] { dialog.window().close(); }); };
    events.whenClose = [&] { events.dialog->end(7); };
    EXPECT_EQ(dialog.run(), 7);
    EXPECT_EQ(events.inits, 1);
    EXPECT_EQ(events.closes, 1);
    EXPECT_EQ(events.destroys, 1);
    EXPECT_FALSE(dialog.window().isVisible());
    dialog.destroy();
    EXPECT_EQ(events.destroys, 1);
}

}  // namespace
}  // namespace vesk::platform::qt

namespace vesk::platform::qt {
namespace {

TEST_F(WindowEventsTest, EnterPressesOnlyTheFocusedButton) {
    dialog.setEnabled(IDC_REPLACE, true);
    field(IDC_STAT_ATTACK).setFocus();
    QTest::keyClick(&field(IDC_STAT_ATTACK), Qt::Key_Return);
    dialog.control(IDC_REPLACE)->setFocus();
    QTest::keyClick(dialog.control(IDC_REPLACE), Qt::Key_Return);
    EXPECT_EQ(events.commandsOf(IDC_DIALOG_OK),
              std::vector<Command>({{IDC_DIALOG_OK, ControlEvent::Pressed}}));
    EXPECT_EQ(events.commandsOf(IDC_REPLACE),
              std::vector<Command>({{IDC_REPLACE, ControlEvent::Pressed}}));
}

}  // namespace
}  // namespace vesk::platform::qt
