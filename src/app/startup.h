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
    // A note for whoever started the program; standard error unless overridden.
    virtual void warn(std::string_view text);
};

// The whole run of the program: lets only the first instance run the editor (a later one
// brings the running editor to the front) and returns the process exit code, always 0.
// When the single-instance check itself cannot be made, the editor runs anyway and says so.
int runEditorProgram(StartupPlatform& platform);

}  // namespace vesk
