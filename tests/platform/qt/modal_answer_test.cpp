// The helper that answers modal dialogs never lets exec() wait for ever: it answers from
// inside the dialog's own loop, whatever the focus, and turns a dialog that does not come
// or does not go into a failure naming it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>

#include <functional>
#include <string>
#include <vector>

#include "chooser_answer.h"
#include "modal_answer.h"
#include "test_files.h"

namespace vesk::test {
namespace {

using namespace std::chrono_literals;

TEST(ModalAnswerTest, AnswersFromInsideTheDialogsOwnLoop) {
    QMessageBox box(QMessageBox::Question, "t", "?", QMessageBox::Yes | QMessageBox::No);
    int loopLevel = -1;
    const ModalAnswer<QMessageBox> answer([&](QMessageBox& shown) {
        loopLevel = QThread::currentThread()->loopLevel();
        shown.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(box.exec(), QMessageBox::No);
    EXPECT_EQ(loopLevel, 1);
}

// The failures reported while `steps` ran (without ADD_FAILURE's first line), kept from
// the test's own result.
std::vector<std::string> failuresOf(const std::function<void()>& steps) {
    testing::TestPartResultArray results;
    {
        const testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        steps();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i) {
        const std::string message = results.GetTestPartResult(i).message();
        messages.push_back(message.substr(message.rfind("Failed\n", 0) == 0 ? 7 : 0));
    }
    return messages;
}

TEST(ModalAnswerTest, ADialogLeftOpenLateOrNeverShownFailsInsteadOfWaiting) {
    QMessageBox box(QMessageBox::Question, "box", "?", QMessageBox::Yes | QMessageBox::No);
    const struct {
        const char* what;
        std::function<void()> steps;
        std::vector<std::string> failures;
    } cases[] = {
        {"left open",
         [&] {
             const ModalAnswer<QMessageBox> answer([](QMessageBox&) {});
             EXPECT_EQ(box.exec(), QDialog::Rejected);
         },
         {"the answer left the QMessageBox \"box\" open"}},
        {"never shown",
         [] { const ModalAnswer<QFileDialog> answer([](QFileDialog&) {}); },
         {"no QFileDialog was shown"}},
        {"shown after the deadline",
         [&] {
             const ModalAnswer<QMessageBox> answer([](QMessageBox& shown) { shown.accept(); },
                                                   50ms);
             QThread::msleep(100);
             QApplication::processEvents();
             EXPECT_EQ(box.exec(), QDialog::Rejected);
         },
         {"no QMessageBox was shown within 50 ms",
          "a QMessageBox came after the deadline; rejected"}},
    };
    for (const auto& c : cases) EXPECT_EQ(failuresOf(c.steps), c.failures) << c.what;
}

TEST(ModalAnswerTest, AChooserThatIsAlreadyActiveStillTakesTheEnteredPath) {
    TempDir dir;
    const QString path = QString::fromStdString(dir.path("game.gb"));
    writeBytes(dir.path("game.gb"), {1});
    QFileDialog chooser;
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    const ModalAnswer<QFileDialog> answer([&](QFileDialog& shown) {
        // As when the window system activates the chooser before the answer runs: its
        // name field has the keyboard focus.
        QApplication::setActiveWindow(&shown);
        ASSERT_TRUE(shown.findChild<QLineEdit*>("fileNameEdit")->hasFocus());
        enterPathInChooser(shown, path);
    });
    ASSERT_EQ(chooser.exec(), QDialog::Accepted);
    EXPECT_EQ(chooser.selectedFiles(), QStringList{path});
}

}  // namespace
}  // namespace vesk::test
