#pragma once

#include "app/startup.h"

namespace vesk::platform::qt {

// The real platform of the Linux program. The Qt application is brought up only when
// the editor's window is to run, so a second start hands over to the running editor
// without paying for it.
class QtStartupPlatform final : public StartupPlatform {
public:
    QtStartupPlatform(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    InstanceLock acquireInstanceLock(std::string_view name) override;
    bool activateWindowWithProperty(std::string_view marker) override;
    int runMainDialog(DialogEvents& events) override;

private:
    int& argc_;
    char** argv_;
};

}  // namespace vesk::platform::qt
