#pragma once

#include <windows.h>

#include "platform/dialog.h"

namespace vesk::platform::win32 {

// platform::Dialog on a real dialog window and its controls, by control and menu ID:
// each operation sent to the control as the message its class takes.
class Win32Dialog final : public Dialog {
public:
    explicit Win32Dialog(HWND window) : window_(window) {}

    HWND window() const { return window_; }
    // Whether setFocus has been called; the dialog manager then leaves the focus alone.
    bool focusWasSet() const { return focusWasSet_; }

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
    HWND control(int id) const { return GetDlgItem(window_, id); }
    // Drop-down lists and list boxes take the same requests under different messages.
    static bool isComboBox(int id);
    LRESULT sendList(int id, UINT comboMessage, UINT listMessage, WPARAM w, LPARAM l) const;

    HWND window_;
    bool focusWasSet_ = false;
};

}  // namespace vesk::platform::win32
