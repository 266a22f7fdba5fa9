#pragma once

#include <string>

namespace vesk::test {

// The user's steps, as any window realisation performs them.
class StoryDriver {
public:
    virtual ~StoryDriver() = default;
    virtual bool open(const std::string& path) = 0;
    virtual bool chooseEnemy(int m) = 0;
    virtual void typeStat(int k, const std::string& keys) = 0;  // over the whole field
    virtual bool chooseHp(int position) = 0;
    virtual bool chooseKero(int position) = 0;
    virtual bool replaceAbility(int row, int id) = 0;
    virtual bool save() = 0;                           // answering Yes
    virtual bool saveAs(const std::string& path) = 0;  // a new file
    virtual bool toggleBackup() = 0;
    virtual void close() = 0;
};

// One editing session over `directory` (UTF-8, with a trailing separator), which holds
// the image "元データ.gb": edits of three enemies, a save with the automatic backup, a
// save as "コピー.gb", then the backup switched off and one more save. False, with the
// failed step in `failure`, when a step could not be done.
bool runUserStory(StoryDriver& driver, const std::string& directory, std::string& failure);

// The image the story starts from.
constexpr unsigned kStorySampleSeed = 2024;
constexpr const char* kStoryImage = "元データ.gb";
constexpr const char* kStoryCopy = "コピー.gb";

}  // namespace vesk::test
