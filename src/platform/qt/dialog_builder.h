#pragma once

#include <map>
#include <set>

#include "layout/main_dialog_layout.h"
#include "platform/dialog.h"
#include "platform/qt/dialog_units.h"

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QWidget;

namespace vesk::platform::qt {

// The widgets of the main window by menu and control ID. Each list and edit field is
// also filed under its kind, taken once from the layout table, so that an operation on
// it needs no guess at what it is.
struct DialogWidgets {
    QMenuBar* menuBar = nullptr;
    QWidget* client = nullptr;  // the area below the menu bar that the layout describes
    std::map<int, QWidget*> controls;
    std::map<int, QAction*> menuEntries;
    std::map<int, QComboBox*> dropDownLists;
    std::map<int, QListWidget*> listBoxes;
    std::map<int, QLineEdit*> edits;
    std::set<int> sortedLists;
};

// Builds the menu and the controls of the layout table into `window`, connecting each
// to `events` as the dialog manager reports them.
class DialogBuilder {
public:
    DialogBuilder(QWidget& window, DialogEvents& events, DialogWidgets& widgets);

    // The menu bar first: it needs no font, so it can be built while the font database
    // is still being filled.
    void buildMenu();
    // The client area below the menu bar and the controls in it, in tab order.
    void buildControls(const DialogUnits& units);

private:
    QWidget* createControl(const layout::Control& control);
    void setUpDropDownList(QComboBox& list, const layout::Control& control);

    QWidget& window_;
    DialogEvents& events_;
    DialogWidgets& widgets_;
    const DialogUnits* units_ = nullptr;
};

}  // namespace vesk::platform::qt
