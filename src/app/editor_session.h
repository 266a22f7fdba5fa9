#pragma once

#include <string>

#include "app/editor_controller.h"
#include "app/main_window.h"
#include "data/enemy_block.h"
#include "io/image_file.h"
#include "io/settings_file.h"

namespace vesk {

// The objects of one run of the editor, wired together: the enemy block, the image file,
// the settings, the controller and the window that delivers the dialog's events to it.
// Start-up builds one over the settings beside the program; tests build one over their
// own settings file and run `window` on whatever dialog they drive.
struct EditorSession {
    explicit EditorSession(SettingsFile settingsFile);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    EnemyBlock block;
    ImageFile image;
    const SettingsFile settings;
    EditorController controller;
    MainWindow window;
};

}  // namespace vesk
