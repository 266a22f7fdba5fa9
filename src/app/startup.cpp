#include "app/startup.h"

#include "app/editor_controller.h"
#include "app/main_window.h"
#include "main_dialog_layout.h"

namespace vesk {

int runEditorProgram(StartupPlatform& host) {
    switch (host.acquireInstanceLock(layout::kInstanceName)) {
        case platform::InstanceLock::Failed:
            return 0;
        case platform::InstanceLock::AlreadyRunning:
            // Found or not, this process has nothing more to do.
            host.activateWindowWithProperty(layout::kWindowProperty);
            return 0;
        case platform::InstanceLock::Acquired:
            break;
    }
    EnemyBlock block;
    ImageFile image;
    const SettingsFile settings = SettingsFile::forThisProgram();
    EditorController controller(block, image, settings);
    MainWindow window(controller, settings);
    host.runMainDialog(window);
    return 0;
}

}  // namespace vesk
