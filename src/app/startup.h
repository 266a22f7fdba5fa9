#pragma once

#include <string_view>

#include "platform/dialog.h"
#include "platform/single_instance.h"

namespace vesk {

// The operations start-up needs from the platform; the program's entry point passes the
// real ones, tests pass fakes.
class StartupPlatform {
public:
    virtual ~StartupPlatform() = default;
    virtual platform::InstanceLock acquireInstanceLock(std::string_view name) = 0;
    virtual bool activateWindowWithProperty(std::string_view marker) = 0;
    virtual int runMainDialog(platform::DialogEvents& events) = 0;
};

// The whole run of the program: lets only the first instance run the editor (a later one
// brings the running editor to the front) and returns the process exit code, always 0.
int runEditorProgram(StartupPlatform& platform);

}  // namespace vesk
