#pragma once

#include <optional>
#include <string>

#include "app/editor_session.h"
#include "fake_dialog.h"

namespace vesk::test {

// The objects of one run of the editor, with the window on an in-memory dialog.
struct EditorRig : EditorSession {
    explicit EditorRig(std::string settingsPath)
        : EditorSession(SettingsFile(std::move(settingsPath))) {}

    FakeDialog dialog;

    void start() { dialog.create(window); }

    // The user's steps, each through the menu, lists and fields of the window.
    bool open(const std::string& path);
    bool chooseEnemy(int m);
    void typeStat(int k, const std::string& keys);  // select all, then type the keys
    std::string statShown(int k) const;
    bool chooseHp(int position);
    bool chooseKero(int position);
    bool replaceAbility(int row, int id);
    bool save(bool answerYes);
    bool saveAs(const std::optional<std::string>& path);
    bool toggleBackup();
    void close();
};

}  // namespace vesk::test
