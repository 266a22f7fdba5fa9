#pragma once

#include <string>
#include <vector>

#include "main_dialog_layout.h"

namespace vesk::test {

// The window class and the Win32 style names a control of the layout table stands for:
// those its kind implies and those of its style bits.
std::string windowClassOf(layout::ControlKind kind);
std::vector<std::string> styleNamesOf(const layout::Control& control);

// The frame of the main window: a centred modal frame with caption, system menu and
// minimise box; never resizable or maximisable.
std::vector<std::string> dialogStyleNames();
std::vector<std::string> forbiddenDialogStyleNames();

}  // namespace vesk::test
