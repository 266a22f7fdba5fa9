#pragma once

#include <string>
#include <string_view>

namespace vesk::platform {

enum class FileChooser { Open, Save };

// Notification codes delivered with onCommand, numbered as the Win32 ones.
namespace notify {
constexpr int kClicked = 0;             // BN_CLICKED, also menu commands
constexpr int kSelChange = 1;           // CBN_SELCHANGE / LBN_SELCHANGE
constexpr int kSelEndOk = 9;            // CBN_SELENDOK: the user's choice is to be processed
constexpr int kEditSetFocus = 0x0100;   // EN_SETFOCUS
constexpr int kEditKillFocus = 0x0200;  // EN_KILLFOCUS
constexpr int kEditChange = 0x0300;     // EN_CHANGE: the user changed the text
constexpr int kEditUpdate = 0x0400;     // EN_UPDATE
}  // namespace notify

class Dialog;

// Receives the window's events, one at a time. Implemented by the main window.
class DialogEvents {
public:
    virtual ~DialogEvents() = default;
    // The window and its controls exist; `dialog` stays valid until onDestroy returns.
    virtual void onInit(Dialog& dialog) = 0;
    virtual void onCommand(int id, int notification) = 0;  // menu, button, list, edit events
    virtual void onClose() = 0;                            // title bar, system menu, Alt+F4
    virtual void onDestroy() = 0;
};

// The dialog-manager operations the main window needs, by control and menu ID.
// Text is UTF-8. Implemented on the real Win32 dialog, on Qt widgets, and by a fake in tests.
class Dialog {
public:
    virtual ~Dialog() = default;
    // lists (drop-down and list box) by control ID; a position of -1 means no selection
    virtual void addString(int id, std::string_view text) = 0;
    virtual void insertString(int id, int index, std::string_view text) = 0;
    virtual void deleteString(int id, int index) = 0;
    virtual void resetContent(int id) = 0;
    virtual void setCurSel(int id, int index) = 0;
    virtual int curSel(int id) const = 0;
    // edit fields and windows; text set here raises no change notification
    virtual void setText(int id, std::string_view text) = 0;
    virtual std::string text(int id, int maxChars) const = 0;     // at most maxChars characters
    virtual void setTextSelection(int id, int from, int to) = 0;  // to = -1: to the end
    virtual void limitText(int id, int maxChars) = 0;
    virtual void disableInputMethod(int id) = 0;
    virtual void enable(int id, bool on) = 0;
    virtual void setFocus(int id) = 0;
    // menu, system menu, window property, icon
    virtual void enableMenuItem(int id, bool on) = 0;
    virtual bool menuItemChecked(int id) const = 0;
    virtual void checkMenuItem(int id, bool on) = 0;
    virtual void removeSizeAndMaximize() = 0;
    virtual void setProperty(std::string_view name, int value) = 0;
    virtual void removeProperty(std::string_view name) = 0;
    virtual void setLargeIcon(int resourceId) = 0;
    // modal, owned by the dialog
    virtual bool askYesNo(std::string_view text, std::string_view caption) = 0;  // Yes default
    virtual void showError(std::string_view text, std::string_view caption) = 0;
    // Titles, filter and options of the open and save choosers; works on path, which
    // keeps its value on cancel or failure.
    virtual bool chooseFile(FileChooser kind, std::string& path) = 0;
    virtual void end(int result) = 0;
};

}  // namespace vesk::platform
