#pragma once

#include "editor_rig.h"
#include "user_story.h"

namespace vesk::test {

// The user's steps on the in-memory dialog of the editor rig.
class RigStoryDriver final : public StoryDriver {
public:
    explicit RigStoryDriver(EditorRig& rig) : rig_(rig) {}

    bool open(const std::string& path) override { return rig_.open(path); }
    bool chooseEnemy(int m) override { return rig_.chooseEnemy(m); }
    void typeStat(int k, const std::string& keys) override { rig_.typeStat(k, keys); }
    bool chooseHp(int position) override { return rig_.chooseHp(position); }
    bool chooseKero(int position) override { return rig_.chooseKero(position); }
    bool replaceAbility(int row, int id) override { return rig_.replaceAbility(row, id); }
    bool save() override { return rig_.save(true); }
    bool saveAs(const std::string& path) override { return rig_.saveAs(path); }
    bool toggleBackup() override { return rig_.toggleBackup(); }
    void close() override { rig_.close(); }

private:
    EditorRig& rig_;
};

}  // namespace vesk::test
