#pragma once

#include <string>
#include <string_view>

namespace vesk::platform {

enum class FileChooser { Open, Save };

// What the user did to a control or menu entry. Only the user's actions are reported:
// what the program changes through Dialog raises no event.
enum class ControlEvent {
    Pressed,             // a push button pressed, a menu entry chosen
    SelectionChanged,    // a list's selection moved; in a drop-down list not yet the choice
    SelectionConfirmed,  // a drop-down list's choice is made: the one to act on
    TextEdited,          // a field's text changed by typing, deleting or pasting
    FocusEntered,        // a field took the keyboard focus
    FocusLeft,           // a field gave it up
};

class Dialog;

// Receives the window's events, one at a time. Implemented by the main window.
class DialogEvents {
public:
    virtual ~DialogEvents() = default;
    // The window and its controls exist; `dialog` stays valid until onDestroy returns.
    virtual void onInit(Dialog& dialog) = 0;
    virtual void onEvent(int id, ControlEvent event) = 0;  // by control or menu entry ID
    virtual void onClose() = 0;                            // title bar, system menu, Alt+F4
    virtual void onDestroy() = 0;
};

// The main window's controls and menu, by control and menu entry ID, in the terms of
// the controls themselves. Text is UTF-8. Implemented on the real Win32 dialog, on Qt
// widgets, and by a fake in tests.
class Dialog {
public:
    virtual ~Dialog() = default;

    // Lists (drop-down lists and list boxes): their rows and selection. Rows count from 0;
    // -1 stands for no row.
    virtual void appendItem(int id, std::string_view text) = 0;  // a sorted list keeps order
    virtual void insertItem(int id, int row, std::string_view text) = 0;
    virtual void removeItem(int id, int row) = 0;  // a selected row takes the selection along
    virtual void clearItems(int id) = 0;
    virtual void selectItem(int id, int row) = 0;  // a row that is not there: no selection
    virtual int selectedItem(int id) const = 0;

    // Fields: their text, the selected part of it and the caret; text set here raises no
    // event. setText also sets a push button's caption.
    virtual void setText(int id, std::string_view text) = 0;
    virtual std::string text(int id, int maxChars) const = 0;  // at most maxChars characters
    // Selects [from, to), the caret at `to`; to = -1 means the end; from == to places the caret.
    virtual void selectText(int id, int from, int to) = 0;
    virtual void setTextLimit(int id, int maxChars) = 0;  // what the user can enter, > 0
    virtual void disableInputMethod(int id) = 0;

    // Any control.
    virtual void setEnabled(int id, bool on) = 0;
    virtual void setFocus(int id) = 0;

    // Menu entries: enabled or grayed, checked or not.
    virtual void setMenuEntryEnabled(int id, bool on) = 0;
    virtual bool menuEntryChecked(int id) const = 0;
    virtual void setMenuEntryChecked(int id, bool on) = 0;

    // The window: a size the user cannot change, a marker other programs find, its icon.
    virtual void fixWindowSize() = 0;
    virtual void setProperty(std::string_view name, int value) = 0;
    virtual void removeProperty(std::string_view name) = 0;
    virtual void setLargeIcon(int resourceId) = 0;

    // Modal questions and choosers, owned by the window.
    virtual bool askYesNo(std::string_view text, std::string_view caption) = 0;  // Yes default
    virtual void showError(std::string_view text, std::string_view caption) = 0;
    // Titles, filter and options of the open and save choosers; works on path, which
    // keeps its value on cancel or failure.
    virtual bool chooseFile(FileChooser kind, std::string& path) = 0;
    virtual void end(int result) = 0;
};

}  // namespace vesk::platform
