#include "editor_rig.h"

#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"

namespace vesk::test {

bool EditorRig::open(const std::string& path) {
    dialog.fileAnswers.push_back(path);
    return dialog.chooseMenu(IDM_OPEN);
}

bool EditorRig::chooseEnemy(int m) { return dialog.chooseListEntry(IDC_ENEMY_LIST, m); }

void EditorRig::typeStat(int k, const std::string& keys) {
    const int id = layout::kStatFieldIds[k];
    dialog.selectText(id, 0, -1);
    for (char c : keys) dialog.typeKey(id, c);
}

std::string EditorRig::statShown(int k) const { return dialog.fullText(layout::kStatFieldIds[k]); }

bool EditorRig::chooseHp(int position) { return dialog.chooseListEntry(IDC_HP_LIST, position); }

bool EditorRig::chooseKero(int position) { return dialog.chooseListEntry(IDC_KERO_LIST, position); }

bool EditorRig::replaceAbility(int row, int id) {
    dialog.selectItem(IDC_ABILITY_LIST, row);
    dialog.chooseListEntry(IDC_ABILITY_CHOICE, id);
    return dialog.clickButton(IDC_REPLACE);
}

bool EditorRig::save(bool answerYes) {
    dialog.yesNoAnswers.push_back(answerYes);
    return dialog.chooseMenu(IDM_SAVE);
}

bool EditorRig::saveAs(const std::optional<std::string>& path) {
    dialog.fileAnswers.push_back(path);
    return dialog.chooseMenu(IDM_SAVE_AS);
}

bool EditorRig::toggleBackup() { return dialog.chooseMenu(IDM_AUTO_BACKUP); }

void EditorRig::close() { dialog.requestClose(); }

}  // namespace vesk::test
