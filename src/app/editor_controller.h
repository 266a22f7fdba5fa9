#pragma once

#include <string_view>

#include "app/editor_view.h"
#include "data/enemy_block.h"
#include "io/image_file.h"
#include "io/settings_file.h"

namespace vesk {

// The editor's behaviour: one operation per user action, reaching the window only
// through EditorView.
class EditorController {
public:
    EditorController(EnemyBlock& block, ImageFile& image, const SettingsFile& settings);
    void start(EditorView& view);
    int currentEnemy() const;
    void showEnemy();
    void storeFields();
    void enemySelected();
    void replaceAbility();
    void statFieldEdited(int k);
    void openImage();
    void save();
    void saveAs();
    void toggleBackup();
    void close();

private:
    // False (after telling the user) when the backup was asked for and could not be made.
    bool backupIfChecked();
    void writeBlock();
    // An error box with the reason of the image file's last failure below `firstLine`.
    void showFailure(std::string_view firstLine);

    EnemyBlock& block_;
    ImageFile& image_;
    const SettingsFile& settings_;
    EditorView* view_ = nullptr;
    int current_ = 0;
};

}  // namespace vesk
