// The entry point of vesk-edit.exe: start-up with the real Win32 operations.
#include <windows.h>

#include "app/startup.h"
#include "platform/dialog_runner.h"
#include "platform/single_instance.h"
#include "platform/window_search.h"

namespace {

class Win32StartupPlatform final : public vesk::StartupPlatform {
public:
    vesk::platform::InstanceLock acquireInstanceLock(std::string_view name) override {
        return vesk::platform::acquireInstanceLock(name);
    }
    bool activateWindowWithProperty(std::string_view marker) override {
        return vesk::platform::activateWindowWithProperty(marker);
    }
    int runMainDialog(vesk::platform::DialogEvents& events) override {
        return vesk::platform::runMainDialog(events);
    }
};

}  // namespace

// The module instance is the program's own (GetModuleHandleW(nullptr)); the command line
// and the show state are not used.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Win32StartupPlatform platform;
    return vesk::runEditorProgram(platform);
}
