#include "app/editor_session.h"

#include <utility>

namespace vesk {

EditorSession::EditorSession(SettingsFile settingsFile)
    : settings(std::move(settingsFile)),
      controller(block, image, settings),
      window(controller, settings) {}

}  // namespace vesk
