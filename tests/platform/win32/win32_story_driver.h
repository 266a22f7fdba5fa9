#pragma once

#include <windows.h>

#include <string>

#include "app/editor_session.h"
#include "dialog_harness.h"
#include "user_story.h"

namespace vesk::test {

// The user's steps on the real window, as input and the user's answers reach it:
// keys to the lists and fields, button clicks, menu commands, and the path typed into
// the chooser. A step on a disabled control or grayed entry does nothing and fails.
class Win32StoryDriver final : public StoryDriver {
public:
    explicit Win32StoryDriver(DialogHarness& harness) : h_(harness) {}

    bool open(const std::string& path) override;
    bool chooseEnemy(int m) override;
    void typeStat(int k, const std::string& keys) override;
    bool chooseHp(int position) override;
    bool chooseKero(int position) override;
    bool replaceAbility(int row, int id) override;
    bool save() override { return saveAnswering(IDYES); }
    bool saveAs(const std::string& path) override;
    bool toggleBackup() override;
    void close() override;

    bool saveAnswering(int button);
    // Opens the chooser with a menu command, types `path` into it and confirms; `path`
    // empty cancels instead. False when the chooser did not come or did not go.
    bool useChooser(int command, const std::wstring& title, const std::string& path);
    // Chooses `index` in a drop-down list with the keyboard: drop it, move, press Enter.
    bool chooseInDropDown(int id, int index);
    bool menuEnabled(int id) const;

private:
    DialogHarness& h_;
};

// The objects of one run, wired as start-up wires them, on the real window.
struct Win32Editor : EditorSession {
    explicit Win32Editor(const std::string& settingsPath)
        : EditorSession(SettingsFile(settingsPath)) {}

    DialogHarness harness{window};
    Win32StoryDriver user{harness};
};

}  // namespace vesk::test
