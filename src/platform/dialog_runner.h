#pragma once

#include "platform/dialog.h"

namespace vesk::platform {

// Builds the main window from its template and runs it modally, delivering its events
// to `events`, until Dialog::end is called. Returns the result given to end, or -1 when
// the window cannot be created. Provided by the GUI realisation (Qt or Win32).
int runMainDialog(DialogEvents& events);

}  // namespace vesk::platform
