#include "app/startup.h"

#include "app/editor_session.h"
#include "app/program_names.h"

namespace vesk {

int runEditorProgram(StartupPlatform& host) {
    switch (host.acquireInstanceLock(kInstanceName)) {
        case platform::InstanceLock::Failed:
            return 0;
        case platform::InstanceLock::AlreadyRunning:
            // Found or not, this process has nothing more to do.
            host.activateWindowWithProperty(kWindowProperty);
            return 0;
        case platform::InstanceLock::Acquired:
            break;
    }
    EditorSession session(SettingsFile::besideProgram());
    host.runMainDialog(session.window);
    return 0;
}

}  // namespace vesk
