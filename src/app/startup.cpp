#include "app/startup.h"

#include <cstdio>
#include <string>

#include "app/editor_controller.h"
#include "app/main_window.h"
#include "app/messages.h"
#include "main_dialog_layout.h"

namespace vesk {

void StartupPlatform::warn(std::string_view text) {
    const std::string line = std::string(text) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

int runEditorProgram(StartupPlatform& host) {
    switch (host.acquireInstanceLock(layout::kInstanceName)) {
        case platform::InstanceLock::Failed:
            // Better an editor without that protection than none at all.
            host.warn(messages::kNoSingleInstance);
            break;
        case platform::InstanceLock::AlreadyRunning:
            // Found or not, this process has nothing more to do.
            host.activateWindowWithProperty(layout::kWindowProperty);
            return 0;
        case platform::InstanceLock::Acquired:
            break;
    }
    EnemyBlock block;
    ImageFile image;
    const SettingsFile settings = SettingsFile::besideProgram();
    EditorController controller(block, image, settings);
    MainWindow window(controller, settings);
    host.runMainDialog(window);
    return 0;
}

}  // namespace vesk
