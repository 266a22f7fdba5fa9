#pragma once

#include <QString>

#include <map>
#include <memory>

#include "layout/main_dialog_layout.h"
#include "platform/dialog.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/dialog_window.h"

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QEventLoop;
class QMenuBar;
class QWidget;

namespace vesk::platform::qt {

// The main window built with Qt Widgets from the dialog layout table, offering the
// controls' operations by control and menu ID and delivering the window's events.
class QtDialog final : public Dialog {
public:
    explicit QtDialog(DialogEvents& events);
    ~QtDialog() override;
    QtDialog(const QtDialog&) = delete;
    QtDialog& operator=(const QtDialog&) = delete;

    // The whole modal run: onInit, the window shown centred, events until end, onDestroy.
    int run();
    // The steps of run, for tests that drive the window themselves.
    void initialise();
    void showCentred();
    void destroy();

    QWidget& window() const;
    QWidget* control(int id) const;  // nullptr for an unknown ID
    QWidget& clientArea() const { return *widgets_.client; }
    QAction* menuEntry(int id) const;
    QMenuBar& menuBar() const;
    const DialogUnits& units() const { return units_; }
    bool ended() const { return ended_; }
    int result() const { return result_; }  // what end was given

    // Dialog
    void appendItem(int id, std::string_view text) override;
    void insertItem(int id, int index, std::string_view text) override;
    void removeItem(int id, int index) override;
    void clearItems(int id) override;
    void selectItem(int id, int index) override;
    int selectedItem(int id) const override;
    void setText(int id, std::string_view text) override;
    std::string text(int id, int maxChars) const override;
    void selectText(int id, int from, int to) override;
    void setTextLimit(int id, int maxChars) override;
    void disableInputMethod(int id) override;
    void setEnabled(int id, bool on) override;
    void setFocus(int id) override;
    void setMenuEntryEnabled(int id, bool on) override;
    bool menuEntryChecked(int id) const override;
    void setMenuEntryChecked(int id, bool on) override;
    void fixWindowSize() override;
    void setProperty(std::string_view name, int value) override;
    void removeProperty(std::string_view name) override;
    void setLargeIcon(int resourceId) override;
    bool askYesNo(std::string_view text, std::string_view caption) override;
    void showError(std::string_view text, std::string_view caption) override;
    bool chooseFile(FileChooser kind, std::string& path) override;
    void end(int result) override;

private:
    template <class Widget>
    static Widget* find(const std::map<int, Widget*>& widgets, int id);
    QComboBox* dropDownList(int id) const;  // nullptr when `id` is not a drop-down list
    QListWidget* listBox(int id) const;
    QLineEdit* editField(int id) const;
    void putItem(int id, int index, const QString& text);  // index -1: at the end

    DialogEvents& events_;
    std::unique_ptr<DialogWindow> window_;
    DialogWidgets widgets_;
    DialogUnits units_;
    QEventLoop* loop_ = nullptr;
    bool initialised_ = false;
    bool destroyed_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace vesk::platform::qt
