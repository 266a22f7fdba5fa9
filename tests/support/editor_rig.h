#pragma once

#include <optional>
#include <string>

#include "app/editor_controller.h"
#include "app/main_window.h"
#include "data/enemy_block.h"
#include "fake_dialog.h"
#include "io/image_file.h"
#include "io/settings_file.h"

namespace vesk::testing {

// The objects of one run of the editor, wired as start-up wires them, with the window on
// an in-memory dialog.
struct EditorRig {
    explicit EditorRig(std::string settingsPath) : settings(std::move(settingsPath)) {}

    EnemyBlock block;
    ImageFile image;
    SettingsFile settings;
    EditorController controller{block, image, settings};
    MainWindow window{controller, settings};
    FakeDialog dialog;

    void start() { dialog.create(window); }

    // The user's steps, each through the menu, lists and fields of the window.
    bool open(const std::string& path);
    bool chooseEnemy(int m);
    void typeStat(int k, const std::string& keys);   // select all, then type the keys
    std::string statShown(int k) const;
    bool chooseHp(int position);
    bool chooseKero(int position);
    bool replaceAbility(int row, int id);
    bool save(bool answerYes);
    bool saveAs(const std::optional<std::string>& path);
    bool toggleBackup();
    void close();
};

}  // namespace vesk::testing
