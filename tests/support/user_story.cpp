#include "user_story.h"

namespace vesk::test {

bool runUserStory(StoryDriver& d, const std::string& directory, std::string& failure) {
    const auto step = [&failure](bool done, const char* what) {
        if (!done && failure.empty()) failure = what;
        return done;
    };
    const std::string image = directory + kStoryImage;
    const std::string copy = directory + kStoryCopy;

    if (!step(d.open(image), "open")) return false;
    step(d.chooseEnemy(3), "choose enemy 3");
    d.typeStat(0, "250");
    d.typeStat(1, "7");
    d.typeStat(2, "999");  // shown and stored as 255
    d.typeStat(3, "0042");
    step(d.chooseHp(10), "choose HP 10");
    step(d.chooseKero(4), "choose ケロ 4");
    step(d.replaceAbility(0, 77), "replace ability 0 of enemy 3");

    step(d.chooseEnemy(150), "choose enemy 150");  // stores enemy 3
    d.typeStat(3, "42");
    step(d.chooseHp(44), "choose HP 44");
    step(d.replaceAbility(0, 200), "replace ability 0 of enemy 150");
    step(d.save(), "save");  // backs up, then writes

    step(d.chooseEnemy(199), "choose enemy 199");
    d.typeStat(1, "1");
    step(d.chooseKero(15), "choose ケロ 15");
    step(d.saveAs(copy), "save as");  // backs up the original, copies, writes the copy

    step(d.toggleBackup(), "switch the backup off");
    step(d.chooseEnemy(0), "choose enemy 0");
    d.typeStat(0, "5");
    step(d.replaceAbility(0, 255), "replace ability 0 of enemy 0");
    step(d.save(), "save the copy");  // no backup any more
    d.close();
    return failure.empty();
}

}  // namespace vesk::test
