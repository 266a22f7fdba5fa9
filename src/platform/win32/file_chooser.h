#pragma once

#include <windows.h>

#include <string>

#include "platform/dialog.h"

namespace vesk::platform::win32 {

// Shows the open or save chooser owned by `owner`, starting from `path`. On success
// `path` becomes the choice; on cancel or any failure it keeps its value.
bool chooseFile(HWND owner, FileChooser kind, std::string& path);

}  // namespace vesk::platform::win32
