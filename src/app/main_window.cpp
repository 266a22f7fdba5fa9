#include "app/main_window.h"

#include "app/messages.h"
#include "app/program_names.h"
#include "data/name_tables.h"
#include "data/value_tables.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"

namespace vesk {
namespace {

using platform::FileChooser;

int statFieldId(int k) { return layout::kStatFieldIds[k]; }

// The stat number of a stat field's control ID, or -1.
int statNumberOf(int id) {
    for (int k = 0; k < EnemyBlock::kStatCount; ++k)
        if (layout::kStatFieldIds[k] == id) return k;
    return -1;
}

}  // namespace

MainWindow::MainWindow(EditorController& controller, const SettingsFile& settings)
    : controller_(controller), settings_(settings) {}

void MainWindow::onInit(platform::Dialog& dialog) {
    dialog_ = &dialog;
    controller_.start(*this);
    dialog.setProperty(kWindowProperty, 1);
    dialog.setLargeIcon(IDI_MAIN);
    dialog.fixWindowSize();

    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m)
        dialog.appendItem(IDC_ENEMY_LIST, enemyLabel(m));
    dialog.selectItem(IDC_ENEMY_LIST, 0);
    for (int p = 0; p < kHpLabelCount; ++p) dialog.appendItem(IDC_HP_LIST, hpLabel(p));
    dialog.selectItem(IDC_HP_LIST, 0);
    for (int p = 0; p < kKeroLabelCount; ++p) dialog.appendItem(IDC_KERO_LIST, keroLabel(p));
    dialog.selectItem(IDC_KERO_LIST, 0);
    for (int k = 0; k < EnemyBlock::kStatCount; ++k) dialog.setText(statFieldId(k), "0");
    if (!settings_.loadBackupSetting()) dialog.setMenuEntryChecked(IDM_AUTO_BACKUP, false);
    for (int id = 0; id < kAbilityIdCount; ++id)
        dialog.appendItem(IDC_ABILITY_CHOICE, abilityLabel(id));
    dialog.selectItem(IDC_ABILITY_CHOICE, 0);
    dialog.clearItems(IDC_ABILITY_LIST);

    // The first enabled tab stop: the enemy list is still disabled.
    dialog.setFocus(IDC_HP_LIST);
}

void MainWindow::onEvent(int id, platform::ControlEvent event) {
    if (const int k = statNumberOf(id); k >= 0) {
        dialog().disableInputMethod(id);
        dialog().setTextLimit(id, layout::kStatFieldLength);
        if (event == platform::ControlEvent::TextEdited) controller_.statFieldEdited(k);
        return;
    }
    switch (id) {
        case IDM_OPEN:
            controller_.openImage();
            break;
        case IDM_EXIT:
            controller_.close();
            break;
        case IDC_ENEMY_LIST:
            if (event == platform::ControlEvent::SelectionConfirmed) controller_.enemySelected();
            break;
        case IDC_REPLACE:
            controller_.replaceAbility();
            break;
        case IDM_AUTO_BACKUP:
            controller_.toggleBackup();
            break;
        case IDM_SAVE:
            controller_.save();
            break;
        case IDM_SAVE_AS:
            controller_.saveAs();
            break;
        default:
            break;  // including the dialog's own OK and Cancel: the window stays open
    }
}

void MainWindow::onClose() { controller_.close(); }

void MainWindow::onDestroy() {
    dialog().removeProperty(kWindowProperty);
    dialog_ = nullptr;
}

int MainWindow::enemySelection() const { return dialog().selectedItem(IDC_ENEMY_LIST); }

std::string MainWindow::statText(int k) const {
    return dialog().text(statFieldId(k), layout::kStatFieldLength);
}

void MainWindow::setStatText(int k, const std::string& text) {
    dialog().setText(statFieldId(k), text);
}

void MainWindow::selectStatText(int k, int from, int to) {
    dialog().selectText(statFieldId(k), from, to);
}

int MainWindow::hpSelection() const { return dialog().selectedItem(IDC_HP_LIST); }

void MainWindow::setHpSelection(int p) { dialog().selectItem(IDC_HP_LIST, p); }

int MainWindow::keroSelection() const { return dialog().selectedItem(IDC_KERO_LIST); }

void MainWindow::setKeroSelection(int p) { dialog().selectItem(IDC_KERO_LIST, p); }

void MainWindow::clearAbilities() { dialog().clearItems(IDC_ABILITY_LIST); }

void MainWindow::appendAbility(const std::string& label) {
    dialog().appendItem(IDC_ABILITY_LIST, label);
}

void MainWindow::setAbilityRow(int row, const std::string& label) {
    dialog().removeItem(IDC_ABILITY_LIST, row);
    dialog().insertItem(IDC_ABILITY_LIST, row, label);
}

int MainWindow::abilitySelection() const { return dialog().selectedItem(IDC_ABILITY_LIST); }

void MainWindow::selectAbility(int row) { dialog().selectItem(IDC_ABILITY_LIST, row); }

int MainWindow::abilityChoice() const { return dialog().selectedItem(IDC_ABILITY_CHOICE); }

void MainWindow::enableEditing() {
    dialog().setMenuEntryEnabled(IDM_SAVE, true);
    dialog().setMenuEntryEnabled(IDM_SAVE_AS, true);
    dialog().setEnabled(IDC_ENEMY_LIST, true);
    dialog().setEnabled(IDC_REPLACE, true);
    dialog().setFocus(IDC_ENEMY_LIST);
}

bool MainWindow::backupChecked() const { return dialog().menuEntryChecked(IDM_AUTO_BACKUP); }

void MainWindow::setBackupChecked(bool on) { dialog().setMenuEntryChecked(IDM_AUTO_BACKUP, on); }

bool MainWindow::confirmOverwrite() {
    return dialog().askYesNo(messages::kConfirmOverwriteText, messages::kConfirmOverwriteCaption);
}

bool MainWindow::chooseOpenPath(std::string& path) {
    return dialog().chooseFile(FileChooser::Open, path);
}

bool MainWindow::chooseSavePath(std::string& path) {
    return dialog().chooseFile(FileChooser::Save, path);
}

void MainWindow::showError(const std::string& message) {
    dialog().showError(message, messages::kErrorCaption);
}

void MainWindow::endWindow() { dialog().end(0); }

}  // namespace vesk
