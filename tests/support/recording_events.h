#pragma once

#include <functional>
#include <mutex>
#include <ostream>
#include <vector>

#include "platform/dialog.h"

namespace vesk::test {

// Window events as a list, with an optional reaction to each. Commands may arrive on
// the window's own thread while the test reads them on another.
class RecordingEvents final : public platform::DialogEvents {
public:
    struct Command {
        Command(int control, platform::ControlEvent what) : id(control), event(what) {}
        bool operator==(const Command&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Command& c) {
            return out << "(" << c.id << ", " << static_cast<int>(c.event) << ")";
        }
        int id;  // control or menu entry ID
        platform::ControlEvent event;
    };

    void onInit(platform::Dialog& dialog) override;
    void onEvent(int id, platform::ControlEvent event) override;
    void onClose() override;
    void onDestroy() override;

    std::vector<Command> commandsOf(int id) const;
    void clear() { take(); }
    // The commands so far, leaving none; or those of one control, forgetting all others.
    std::vector<Command> take();
    std::vector<Command> take(int id);

    platform::Dialog* dialog = nullptr;
    std::vector<Command> commands;
    int inits = 0, closes = 0, destroys = 0;
    std::function<void(platform::Dialog&)> whenInit;
    std::function<void()> whenClose;

private:
    mutable std::mutex mutex_;
};

}  // namespace vesk::test
