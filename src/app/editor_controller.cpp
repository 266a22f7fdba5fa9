#include "app/editor_controller.h"

#include "app/messages.h"
#include "data/name_tables.h"
#include "data/stat_text.h"
#include "data/value_tables.h"
#include "layout/main_dialog_layout.h"
#include "platform/error.h"

namespace vesk {
namespace {}  // namespace

EditorController::EditorController(EnemyBlock& block, ImageFile& image,
                                   const SettingsFile& settings)
    : block_(block), image_(image), settings_(settings) {}

void EditorController::start(EditorView& view) {
    view_ = &view;
    current_ = 0;
}

int EditorController::currentEnemy() const { return current_; }

void EditorController::showEnemy() {
    const int selected = view_->enemySelection();
    if (selected >= 0 && selected < EnemyBlock::kEnemyCount) current_ = selected;
    for (int k = 0; k < EnemyBlock::kStatCount; ++k)
        view_->setStatText(k, std::to_string(block_.stat(current_, k)));
    view_->setHpSelection(hpPosition(block_.hpIndex(current_)));
    view_->setKeroSelection(block_.keroIndex(current_));
    view_->clearAbilities();
    for (int slot = 0; slot < block_.abilityCount(current_); ++slot)
        view_->appendAbility(abilityLabel(block_.abilityAt(current_, slot)));
    view_->selectAbility(0);
}

void EditorController::storeFields() {
    for (int k = 0; k < EnemyBlock::kStatCount; ++k)
        block_.setStat(current_, k, clampedStatValue(view_->statText(k)));
    const int hp = view_->hpSelection();
    if (hp >= 0 && hp < kHpLabelCount)
        block_.setHpIndex(current_, hpStored(block_.hpIndex(current_), hp));
    const int kero = view_->keroSelection();
    if (kero >= 0 && kero < kKeroLabelCount) block_.setKeroIndex(current_, kero);
}

void EditorController::enemySelected() {
    storeFields();
    showEnemy();
}

void EditorController::replaceAbility() {
    const int slot = view_->abilitySelection();
    const int id = view_->abilityChoice();
    // A list without a selection must never lead to a write outside the enemy's list.
    if (slot < 0 || slot >= block_.abilityCount(current_) || id < 0 || id >= kAbilityIdCount)
        return;
    view_->setAbilityRow(slot, abilityLabel(id));
    view_->selectAbility(slot);
    block_.setAbilityAt(current_, slot, id);
}

void EditorController::statFieldEdited(int k) {
    static_assert(layout::kStatFieldLength == kStatFieldLength);
    const StatFieldText shown = statFieldAfterEdit(view_->statText(k));
    view_->setStatText(k, shown.text);
    if (shown.selectAll) {
        view_->selectStatText(k, 0, -1);
    } else {
        view_->selectStatText(k, kStatFieldLength, kStatFieldLength);
    }
}

void EditorController::openImage() {
    // The chooser works on a copy so that a cancelled or failed open keeps the path of
    // the image the block came from.
    std::string chosen = image_.currentPath;
    if (!view_->chooseOpenPath(chosen)) return;
    std::string previous = std::move(image_.currentPath);
    image_.currentPath = std::move(chosen);
    const ImageFile::ReadResult result = image_.readBlock(block_);
    if (result != ImageFile::ReadResult::Ok) {
        image_.currentPath = std::move(previous);
        showFailure(result == ImageFile::ReadResult::TooShort ? messages::kTooShort
                                                              : messages::kCannotOpen);
        return;
    }
    view_->enableEditing();
    showEnemy();
}

void EditorController::showFailure(std::string_view firstLine) {
    view_->showError(platform::withReason(firstLine, image_.lastError()));
}

bool EditorController::backupIfChecked() {
    if (!view_->backupChecked() || image_.backup()) return true;
    showFailure(messages::kBackupFailed);
    return false;
}

void EditorController::writeBlock() {
    if (!image_.write(block_)) showFailure(messages::kWriteFailed);
}

void EditorController::save() {
    if (!view_->confirmOverwrite()) return;
    // An image that cannot be written keeps the previous backup.
    if (!image_.canWrite()) {
        showFailure(messages::kWriteFailed);
        return;
    }
    if (!backupIfChecked()) return;
    storeFields();
    writeBlock();
}

void EditorController::saveAs() {
    if (!backupIfChecked()) return;
    storeFields();
    std::string chosen = image_.saveAsPath;
    if (!view_->chooseSavePath(chosen)) return;
    image_.saveAsPath = std::move(chosen);
    if (!image_.copyCurrentTo(image_.saveAsPath)) {
        showFailure(messages::kCopyFailed);
        return;
    }
    image_.useSaveAsPath();
    writeBlock();
}

void EditorController::toggleBackup() { view_->setBackupChecked(!view_->backupChecked()); }

void EditorController::close() {
    settings_.saveBackupSetting(view_->backupChecked());
    view_->endWindow();
}

}  // namespace vesk
