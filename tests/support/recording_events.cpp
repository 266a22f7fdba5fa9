#include "recording_events.h"

namespace vesk::test {

void RecordingEvents::onInit(platform::Dialog& d) {
    dialog = &d;
    ++inits;
    if (whenInit) whenInit(d);
}

void RecordingEvents::onCommand(int id, int notification) { commands.emplace_back(id, notification); }

void RecordingEvents::onClose() {
    ++closes;
    if (whenClose) whenClose();
}

void RecordingEvents::onDestroy() { ++destroys; }

std::vector<RecordingEvents::Command> RecordingEvents::commandsOf(int id) const {
    std::vector<Command> found;
    for (const Command& c : commands)
        if (c.first == id) found.push_back(c);
    return found;
}

}  // namespace vesk::test
