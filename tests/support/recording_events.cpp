#include "recording_events.h"

#include <utility>

namespace vesk::test {

void RecordingEvents::onInit(platform::Dialog& d) {
    dialog = &d;
    ++inits;
    if (whenInit) whenInit(d);
}

void RecordingEvents::onEvent(int id, platform::ControlEvent event) {
    std::lock_guard lock(mutex_);
    commands.emplace_back(id, event);
}

void RecordingEvents::onClose() {
    ++closes;
    if (whenClose) whenClose();
}

void RecordingEvents::onDestroy() { ++destroys; }

std::vector<RecordingEvents::Command> RecordingEvents::commandsOf(int id) const {
    std::lock_guard lock(mutex_);
    std::vector<Command> found;
    for (const Command& c : commands) {
        if (c.id == id) found.push_back(c);
    }
    return found;
}

std::vector<RecordingEvents::Command> RecordingEvents::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(commands, {});
}

std::vector<RecordingEvents::Command> RecordingEvents::take(int id) {
    std::vector<Command> of;
    for (const Command& c : take()) {
        if (c.id == id) of.push_back(c);
    }
    return of;
}

}  // namespace vesk::test
