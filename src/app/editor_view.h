#pragma once

#include <string>

namespace vesk {

// What the editor controller needs from the window. Positions are list positions,
// k is a stat number 0..3.
class EditorView {
public:
    virtual ~EditorView() = default;
    virtual int enemySelection() const = 0;
    virtual std::string statText(int k) const = 0;
    virtual void setStatText(int k, const std::string& text) = 0;
    virtual void selectStatText(int k, int from, int to) = 0;
    virtual int hpSelection() const = 0;
    virtual void setHpSelection(int p) = 0;
    virtual int keroSelection() const = 0;
    virtual void setKeroSelection(int p) = 0;
    virtual void clearAbilities() = 0;
    virtual void appendAbility(const std::string& label) = 0;
    virtual void setAbilityRow(int row, const std::string& label) = 0;
    virtual int abilitySelection() const = 0;
    virtual void selectAbility(int row) = 0;
    virtual int abilityChoice() const = 0;
    virtual void enableEditing() = 0;
    virtual bool backupChecked() const = 0;
    virtual void setBackupChecked(bool on) = 0;
    virtual bool confirmOverwrite() = 0;
    virtual bool chooseOpenPath(std::string& path) = 0;
    virtual bool chooseSavePath(std::string& path) = 0;
    virtual void showError(const std::string& message) = 0;
    virtual void endWindow() = 0;
};

}  // namespace vesk
