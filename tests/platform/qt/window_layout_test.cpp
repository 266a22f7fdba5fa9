// The Qt window honours the layout table: controls, IDs, texts, positions, styles, tab
// order and menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/qt/dialog.h"
#include "platform/qt/dialog_font.h"
#include "recording_events.h"

namespace vesk::platform::qt {
namespace {

using layout::ControlKind;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class WindowLayoutTest : public ::testing::Test {
protected:
    test::RecordingEvents events;
    QtDialog dialog{events};

    QRect tableRect(const layout::Control& c) const {
        return dialog.units().rect(c.x, c.y, c.width, c.height);
    }

    // The label or group box drawn with this text, in the client area.
    QWidget* textControl(const layout::Control& c) const {
        for (QWidget* w : dialog.clientArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (auto* label = qobject_cast<QLabel*>(w); label && label->text() == qs(c.text))
                return w;
            if (auto* box = qobject_cast<QGroupBox*>(w); box && box->title() == qs(c.text))
                return w;
        }
        return nullptr;
    }
};

TEST_F(WindowLayoutTest, WindowHasCaptionFixedSizeAndNoMaximise) {
    QWidget& window = dialog.window();
    EXPECT_EQ(window.windowTitle(), qs(layout::kCaption));
    const int menuHeight = dialog.menuBar().height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(dialog.clientArea().geometry(), QRect(0, menuHeight, dialog.units().x(layout::kWidth),
                                                    dialog.units().y(layout::kHeight)));
    EXPECT_EQ(window.size(), QSize(dialog.units().x(layout::kWidth),
                                   menuHeight + dialog.units().y(layout::kHeight)));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowSystemMenuHint);
    dialog.fixWindowSize();
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(WindowLayoutTest, MenusChoosersAndMessageBoxesShareTheWindowFont) {
    const QFont font = dialogFont();
    EXPECT_EQ(dialog.window().font().family(), font.family());
    EXPECT_EQ(QApplication::font().family(), font.family());
    EXPECT_EQ(QApplication::font().pointSize(), font.pointSize());
    const QMenu* fileMenu = dialog.menuBar().actions().first()->menu();
    ASSERT_NE(fileMenu, nullptr);
    EXPECT_EQ(fileMenu->font().family(), font.family());
}

TEST_F(WindowLayoutTest, EveryControlHasItsKindTextAndPlace) {
    for (const layout::Control& c : layout::kControls) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.id));
        if (c.id == layout::kNoId) {
            QWidget* w = textControl(c);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(c.kind == ControlKind::Label, qobject_cast<QLabel*>(w) != nullptr);
            EXPECT_EQ(w->geometry(), tableRect(c));
            continue;
        }
        QWidget* w = dialog.control(c.id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), &dialog.clientArea());
        switch (c.kind) {
            case ControlKind::DropDownList: {
                ASSERT_NE(qobject_cast<QComboBox*>(w), nullptr);
                EXPECT_FALSE(qobject_cast<QComboBox*>(w)->isEditable());
                // Closed, a drop-down list is one line high; the table height includes the list.
                const QRect r = tableRect(c);
                EXPECT_EQ(w->geometry().topLeft(), r.topLeft());
                EXPECT_EQ(w->width(), r.width());
                EXPECT_LT(w->height(), dialog.units().y(15));
                EXPECT_GE(w->height(), w->fontMetrics().height());
                break;
            }
            case ControlKind::ListBox:
                ASSERT_NE(qobject_cast<QListWidget*>(w), nullptr);
                EXPECT_EQ(w->geometry(), tableRect(c));
                break;
            case ControlKind::Edit:
                ASSERT_NE(qobject_cast<QLineEdit*>(w), nullptr);
                EXPECT_EQ(w->geometry(), tableRect(c));
                break;
            case ControlKind::PushButton:
                ASSERT_NE(qobject_cast<QPushButton*>(w), nullptr);
                EXPECT_EQ(qobject_cast<QPushButton*>(w)->text(), qs(c.text));
                EXPECT_EQ(w->geometry(), tableRect(c));
                break;
            default:
                ADD_FAILURE() << "a control with an ID of a kind without one";
        }
        EXPECT_EQ(w->isEnabled(), (c.style & layout::kDisabled) == 0);
    }
}

TEST_F(WindowLayoutTest, NoTextIsCutOff) {
    for (const layout::Control& c : layout::kControls) {
        SCOPED_TRACE(std::string(c.text));
        if (c.text.empty()) continue;
        QWidget* w = c.id == layout::kNoId ? textControl(c) : dialog.control(c.id);
        ASSERT_NE(w, nullptr);
        const int textWidth = w->fontMetrics().horizontalAdvance(qs(c.text));
        if (qobject_cast<QLabel*>(w)) {
            EXPECT_LE(w->sizeHint().width(), w->width());
            EXPECT_LE(w->fontMetrics().height(), w->height() + 3);
        } else {
            EXPECT_LT(textWidth + 8, w->width());
        }
    }
}

TEST_F(WindowLayoutTest, ControlsDoNotOverlapExceptInsideTheirGroupBox) {
    std::vector<QWidget*> placed;
    for (const layout::Control& c : layout::kControls) {
        if (c.kind == ControlKind::GroupBox) continue;
        QWidget* w = c.id == layout::kNoId ? textControl(c) : dialog.control(c.id);
        for (QWidget* other : placed) {
            EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                << std::string(c.text) << c.id << " overlaps " << other->metaObject()->className();
        }
        placed.push_back(w);
    }
}

TEST_F(WindowLayoutTest, TabStopsFollowTableOrder) {
    std::vector<QWidget*> expected;
    for (const layout::Control& c : layout::kControls) {
        if (c.style & layout::kTabStop) expected.push_back(dialog.control(c.id));
    }
    std::vector<QWidget*> chain;
    QWidget* w = expected.front();
    do {
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != expected.front());
    EXPECT_EQ(chain, expected);
    for (QWidget* child : dialog.clientArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLabel*>(child) || qobject_cast<QGroupBox*>(child)) {
            EXPECT_EQ(child->focusPolicy(), Qt::NoFocus);
        }
    }
}

TEST_F(WindowLayoutTest, SortedListsSortTheirLabelsOthersKeepOrder) {
    for (int id : {IDC_ENEMY_LIST, IDC_ABILITY_CHOICE}) {
        dialog.appendItem(id, "002 : b");
        dialog.appendItem(id, "000 : a");
        dialog.appendItem(id, "001 : c");
        dialog.appendItem(id, "003 : d");
        dialog.appendItem(id, "003 : D");
        auto* list = qobject_cast<QComboBox*>(dialog.control(id));
        ASSERT_EQ(list->count(), 5);
        EXPECT_EQ(list->itemText(0), "000 : a");
        EXPECT_EQ(list->itemText(2), "002 : b");
        EXPECT_EQ(list->itemText(4), "003 : D") << "an equal label goes after";
        EXPECT_EQ(dialog.selectedItem(id), -1) << "adding selects nothing";
    }
    for (int id : {IDC_HP_LIST, IDC_KERO_LIST, IDC_ABILITY_LIST}) {
        dialog.appendItem(id, "9");
        dialog.appendItem(id, "1");
        dialog.insertItem(id, 1, "5");
        dialog.appendItem(id, "3");
        const std::vector<std::string> expected = {"9", "5", "1", "3"};
        for (int i = 0; i < 4; ++i) {
            QString shown;
            if (auto* combo = qobject_cast<QComboBox*>(dialog.control(id)))
                shown = combo->itemText(i);
            if (auto* list = qobject_cast<QListWidget*>(dialog.control(id)))
                shown = list->item(i)->text();
            EXPECT_EQ(shown.toStdString(), expected[static_cast<std::size_t>(i)]) << id;
        }
    }
}

TEST_F(WindowLayoutTest, AbilityListHasBorderAndVerticalScrollBar) {
    auto* list = qobject_cast<QListWidget*>(dialog.control(IDC_ABILITY_LIST));
    EXPECT_NE(list->frameShape(), QFrame::NoFrame);
    EXPECT_NE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(WindowLayoutTest, StatFieldsAreRightAlignedThreeDigitsWithoutInputMethod) {
    for (int id : layout::kStatFieldIds) {
        auto* field = qobject_cast<QLineEdit*>(dialog.control(id));
        ASSERT_NE(field, nullptr);
        EXPECT_TRUE(field->alignment() & Qt::AlignRight);
        EXPECT_EQ(field->maxLength(), 3);
        EXPECT_TRUE(field->hasFrame());
        EXPECT_FALSE(field->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_TRUE(field->inputMethodHints() & Qt::ImhDigitsOnly);
    }
}

TEST_F(WindowLayoutTest, MenuHasItsEntriesMnemonicsAndInitialStates) {
    const QList<QAction*> menus = dialog.menuBar().actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(layout::kMenus.size()));
    for (std::size_t m = 0; m < layout::kMenus.size(); ++m) {
        const layout::Menu& menu = layout::kMenus[m];
        EXPECT_EQ(menus[static_cast<qsizetype>(m)]->text(), qs(menu.title));
        const QList<QAction*> entries = menus[static_cast<qsizetype>(m)]->menu()->actions();
        ASSERT_EQ(entries.size(), menu.entryCount);
        for (int i = 0; i < menu.entryCount; ++i) {
            const layout::MenuEntry& e = menu.entries[static_cast<std::size_t>(i)];
            QAction* action = entries[i];
            EXPECT_EQ(action->isSeparator(), e.id == 0);
            if (e.id == 0) continue;
            EXPECT_EQ(dialog.menuEntry(e.id), action);
            EXPECT_EQ(action->text(), qs(e.text));
            EXPECT_EQ(action->isEnabled(), !e.grayed);
            EXPECT_EQ(action->isChecked(), e.checked);
            EXPECT_EQ(dialog.menuEntryChecked(e.id), e.checked);
        }
    }
    EXPECT_EQ(menus[0]->text(), "ファイル(&O)");
    EXPECT_EQ(dialog.menuEntry(IDM_EXIT)->text(), "終了(&X)");
}

}  // namespace
}  // namespace vesk::platform::qt
