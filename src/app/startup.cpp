#include "app/startup.h"

#include <cstdio>
#include <string>

#include "app/editor_session.h"
#include "app/messages.h"
#include "app/program_names.h"

namespace vesk {

void StartupPlatform::warn(std::string_view text) {
    const std::string line = std::string(text) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

int runEditorProgram(StartupPlatform& host) {
    switch (host.acquireInstanceLock(kInstanceName)) {
        case platform::InstanceLock::Failed:
            // Better an editor without that protection than none at all.
            host.warn(messages::kNoSingleInstance);
            break;
        case platform::InstanceLock::AlreadyRunning:
            // Found or not, this process has nothing more to do.
            host.activateWindowWithProperty(kWindowProperty);
            return 0;
        case platform::InstanceLock::Acquired:
            break;
    }
    EditorSession session(SettingsFile::forThisProgram());
    host.runMainDialog(session.window);
    return 0;
}

}  // namespace vesk
