// Qt's own texts in the window's choosers, message boxes and edit fields are Japanese
// once Qt's Japanese translation is installed, and stay Qt's own without the file.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <string>

#include "layout/resource_ids.h"
#include "modal_answer.h"
#include "platform/qt/dialog.h"
#include "platform/qt/startup/japanese_texts.h"
#include "recording_events.h"
#include "test_files.h"

namespace vesk::platform::qt {
namespace {

struct SeenTexts {
    std::string chooserCancel;
    std::string errorButton;
    std::string firstEditMenuEntry;  // its text before the shortcut
};

SeenTexts textsOfTheWindow() {
    test::RecordingEvents events;
    QtDialog dialog(events);
    dialog.initialise();
    SeenTexts seen;
    {
        const test::ModalAnswer<QFileDialog> answer([&](QFileDialog& chooser) {
            if (auto* buttons = chooser.findChild<QDialogButtonBox*>()) {
                seen.chooserCancel =
                    buttons->button(QDialogButtonBox::Cancel)->text().toStdString();
            }
            chooser.reject();
        });
        std::string path;
        dialog.chooseFile(FileChooser::Open, path);
    }
    const test::ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
        seen.errorButton = box.buttons().first()->text().toStdString();
        box.buttons().first()->click();
    });
    dialog.showError("ファイルを開けませんでした。", "エラー");
    auto* edit = qobject_cast<QLineEdit*>(dialog.control(IDC_STAT_ATTACK));
    const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    seen.firstEditMenuEntry = menu->actions().first()->text().section(u'\t', 0, 0).toStdString();
    return seen;
}

TEST(JapaneseQtTextsTest, ChooserMessageBoxAndEditMenuSpeakJapanese) {
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(directory + "/qtbase_ja.qm")) GTEST_SKIP() << "no qtbase_ja.qm";
    {
        const QtJapaneseTexts japanese;
        ASSERT_TRUE(japanese.installed());
        const SeenTexts seen = textsOfTheWindow();
        EXPECT_EQ(seen.chooserCancel, "キャンセル");
        EXPECT_EQ(seen.errorButton, "OK");
        EXPECT_EQ(seen.firstEditMenuEntry, "元に戻す(&U)");
    }
    EXPECT_EQ(textsOfTheWindow().firstEditMenuEntry, "&Undo") << "removed with its owner";
}

TEST(JapaneseQtTextsTest, WithoutTheTranslationQtKeepsItsOwnTexts) {
    vesk::test::TempDir empty;
    const QtJapaneseTexts japanese(QString::fromStdString(vesk::test::utf8FromPath(empty.root())));
    EXPECT_FALSE(japanese.installed());
    const SeenTexts seen = textsOfTheWindow();
    EXPECT_EQ(seen.chooserCancel, "Cancel");
    EXPECT_EQ(seen.firstEditMenuEntry, "&Undo");
}

}  // namespace
}  // namespace vesk::platform::qt
