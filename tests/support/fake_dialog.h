#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace vesk::test {

// An in-memory dialog built from the layout table. It behaves like the real windows
// where the main window relies on it (sorted lists, edit limits and selection,
// digits-only typing, events only for the user's actions, disabled controls and
// grayed menu entries ignoring the user) and records what the window asked of it.
class FakeDialog final : public platform::Dialog {
public:
    struct Modal {
        enum class Kind { YesNo, Error, OpenChooser, SaveChooser } kind;
        std::string text;  // message text, or the path the chooser started from
        std::string caption;
    };

    FakeDialog();

    // Window lifetime, as the dialog manager drives it.
    void create(platform::DialogEvents& events);
    void destroy();

    // What a user can do. Each returns false when the control or entry cannot be used.
    bool chooseListEntry(int id, int index);  // drop-down: select, changed, confirmed
    bool typeKey(int id, char c);             // at the caret, replacing the selection
    bool pressBackspace(int id);
    bool paste(int id, const std::string& text);  // not limited to digits, cut at the limit
    bool clickButton(int id);
    bool chooseMenu(int id);
    void requestClose();
    void sendEvent(int id, platform::ControlEvent event);

    // Answers for the modal windows, taken in order; an empty queue answers No / cancel.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;  // nullopt: cancel

    // What happened.
    std::vector<Modal> modals;
    std::vector<std::string> calls;  // every Dialog operation, e.g. "selectItem 1005 0"
    const std::vector<std::string>& items(int id) const;
    std::string fullText(int id) const;
    std::pair<int, int> textSelection(int id) const;
    bool enabled(int id) const;
    int focus() const { return focus_; }
    bool menuGrayed(int id) const;
    bool inputMethodDisabled(int id) const;
    int textLimit(int id) const;
    bool windowSizeFixed() const { return windowSizeFixed_; }
    std::optional<int> property(const std::string& name) const;
    int largeIcon() const { return largeIcon_; }
    bool ended() const { return endResult_.has_value(); }
    std::optional<int> endResult() const { return endResult_; }
    int modalCount(Modal::Kind kind) const;
    std::vector<std::string> errors() const;  // texts of the error boxes shown

    // platform::Dialog
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
    bool chooseFile(platform::FileChooser kind, std::string& path) override;
    void end(int result) override;

private:
    struct Control {
        bool isList = false, isEdit = false, sorted = false, enabled = true, imeOff = false;
        std::vector<std::string> items;
        int selection = -1;
        std::string text;
        int selFrom = 0, selTo = 0;
        int limit = 30000;  // the edit control's default
    };
    struct MenuItem {
        bool grayed = false, checked = false;
    };

    Control& control(int id);
    const Control& control(int id) const;
    bool replaceSelection(int id, const std::string& insert);
    void log(std::string entry) { calls.push_back(std::move(entry)); }

    platform::DialogEvents* events_ = nullptr;
    std::map<int, Control> controls_;
    std::map<int, MenuItem> menu_;
    std::map<std::string, int> properties_;
    int focus_ = 0;
    int largeIcon_ = 0;
    bool windowSizeFixed_ = false;
    std::optional<int> endResult_;
};

}  // namespace vesk::test
