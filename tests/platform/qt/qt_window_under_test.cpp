// The dialog contract on the Qt window: controls found by the names a screen reader
// speaks, menu entries by their text, as the user finds them.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>

#include "app/editor_session.h"
#include "layout/accessible_names.h"
#include "layout/main_dialog_layout.h"
#include "platform/dialog_contract.h"
#include "platform/qt/dialog.h"

namespace vesk::test {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view menuEntryText(int id) {
    for (const layout::Menu& menu : layout::kMenus) {
        for (int i = 0; i < menu.entryCount; ++i) {
            if (menu.entries[static_cast<std::size_t>(i)].id == id) {
                return menu.entries[static_cast<std::size_t>(i)].text;
            }
        }
    }
    return {};
}

class QtWindow final : public WindowUnderTest {
public:
    explicit QtWindow(const std::string& settingsPath) : session_(SettingsFile(settingsPath)) {
        dialog_.initialise();
        dialog_.showCentred();
        QApplication::setActiveWindow(&dialog_.window());
        if (!QTest::qWaitForWindowActive(&dialog_.window())) {
            ADD_FAILURE() << "the main window did not become active within 5 s";
        }
    }

    std::vector<std::string> items(int id) const override {
        std::vector<std::string> texts;
        if (const auto* combo = qobject_cast<QComboBox*>(named(id))) {
            for (int i = 0; i < combo->count(); ++i)
                texts.push_back(combo->itemText(i).toStdString());
        } else if (const auto* list = qobject_cast<QListWidget*>(named(id))) {
            for (int i = 0; i < list->count(); ++i)
                texts.push_back(list->item(i)->text().toStdString());
        }
        return texts;
    }
    int selectedItem(int id) const override {
        if (const auto* combo = qobject_cast<QComboBox*>(named(id))) return combo->currentIndex();
        const auto* list = qobject_cast<QListWidget*>(named(id));
        if (!list || list->selectedItems().isEmpty()) return -1;
        return list->row(list->selectedItems().first());
    }
    std::string text(int id) const override {
        const auto* field = qobject_cast<QLineEdit*>(named(id));
        return field ? field->text().toStdString() : std::string();
    }
    bool enabled(int id) const override { return named(id) && named(id)->isEnabled(); }
    bool menuEntryEnabled(int id) const override { return entry(id) && entry(id)->isEnabled(); }
    bool menuEntryChecked(int id) const override { return entry(id) && entry(id)->isChecked(); }
    int focusedControl() const override {
        const QWidget* focus = dialog_.window().focusWidget();
        for (const layout::Control& c : layout::kControls) {
            if (c.id != layout::kNoId && focus != nullptr && named(c.id) == focus) return c.id;
        }
        return 0;
    }
    std::optional<int> marker() const override {
        const QVariant value = dialog_.window().property("VeskEdit");
        if (!value.isValid()) return std::nullopt;
        return value.toInt();
    }
    bool hasIcon() const override { return !dialog_.window().windowIcon().isNull(); }
    bool sizeFixed() const override {
        const QWidget& window = dialog_.window();
        return !(window.windowFlags() & Qt::WindowMaximizeButtonHint) &&
               window.minimumSize() == window.maximumSize();
    }

    bool chooseMenuEntry(int id) override {
        QAction* action = entry(id);
        if (!action || !action->isEnabled()) return false;
        action->trigger();
        return true;
    }
    void requestClose() override { dialog_.window().close(); }
    std::optional<int> endResult() override {
        if (!dialog_.ended() || dialog_.window().isVisible()) return std::nullopt;
        return dialog_.result();
    }
    bool markedWhenDestroyed() override {
        dialog_.destroy();
        return marker().has_value();
    }

private:
    // The control a screen reader announces under the control's accessible name.
    QWidget* named(int id) const {
        const QString name = qs(layout::accessibleName(id));
        if (name.isEmpty()) return nullptr;
        for (QWidget* widget : dialog_.window().findChildren<QWidget*>()) {
            if (widget->accessibleName() == name) return widget;
        }
        return nullptr;
    }
    QAction* entry(int id) const {
        const QString text = qs(menuEntryText(id));
        for (QAction* title : dialog_.menuBar().actions()) {
            if (!title->menu()) continue;
            for (QAction* action : title->menu()->actions()) {
                if (!text.isEmpty() && action->text() == text) return action;
            }
        }
        return nullptr;
    }

    EditorSession session_;
    platform::qt::QtDialog dialog_{session_.window};
};

std::unique_ptr<WindowUnderTest> startQtWindow(const std::string& settingsPath) {
    return std::make_unique<QtWindow>(settingsPath);
}

INSTANTIATE_TEST_SUITE_P(Qt, DialogContract, ::testing::Values(&startQtWindow),
                         DialogContract::name);

}  // namespace
}  // namespace vesk::test
