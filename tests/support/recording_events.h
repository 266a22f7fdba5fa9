#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/dialog.h"

namespace vesk::test {

// Window events as a list, with an optional reaction to each command.
class RecordingEvents final : public platform::DialogEvents {
public:
    using Command = std::pair<int, int>;  // control or menu ID, notification

    void onInit(platform::Dialog& dialog) override;
    void onCommand(int id, int notification) override;
    void onClose() override;
    void onDestroy() override;

    std::vector<Command> commandsOf(int id) const;
    void clear() { commands.clear(); }

    platform::Dialog* dialog = nullptr;
    std::vector<Command> commands;
    int inits = 0, closes = 0, destroys = 0;
    std::function<void(platform::Dialog&)> whenInit;
    std::function<void()> whenClose;
};

}  // namespace vesk::test
