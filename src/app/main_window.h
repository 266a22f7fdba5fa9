#pragma once

#include <string>

#include "app/editor_controller.h"
#include "app/editor_view.h"
#include "io/settings_file.h"
#include "platform/dialog.h"

namespace vesk {

// The program's one window, written once over platform::Dialog: its initialisation,
// its event table and the EditorView operations on its controls.
class MainWindow final : public platform::DialogEvents, public EditorView {
public:
    MainWindow(EditorController& controller, const SettingsFile& settings);

    // platform::DialogEvents
    void onInit(platform::Dialog& dialog) override;
    void onEvent(int id, platform::ControlEvent event) override;
    void onClose() override;
    void onDestroy() override;

    // EditorView
    int enemySelection() const override;
    std::string statText(int k) const override;
    void setStatText(int k, const std::string& text) override;
    void selectStatText(int k, int from, int to) override;
    int hpSelection() const override;
    void setHpSelection(int p) override;
    int keroSelection() const override;
    void setKeroSelection(int p) override;
    void clearAbilities() override;
    void appendAbility(const std::string& label) override;
    void setAbilityRow(int row, const std::string& label) override;
    int abilitySelection() const override;
    void selectAbility(int row) override;
    int abilityChoice() const override;
    void enableEditing() override;
    bool backupChecked() const override;
    void setBackupChecked(bool on) override;
    bool confirmOverwrite() override;
    bool chooseOpenPath(std::string& path) override;
    bool chooseSavePath(std::string& path) override;
    void showError(const std::string& message) override;
    void endWindow() override;

private:
    platform::Dialog& dialog() const { return *dialog_; }

    EditorController& controller_;
    const SettingsFile& settings_;
    platform::Dialog* dialog_ = nullptr;
};

}  // namespace vesk
