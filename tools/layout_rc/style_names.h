#pragma once

#include <string>
#include <vector>

#include "layout/main_dialog_layout.h"

namespace vesk::tools {

// The window class and the Win32 style names a control of the layout table stands for:
// those its kind implies and those of its style bits, sorted.
std::string windowClassOf(layout::ControlKind kind);
std::vector<std::string> styleNamesOf(const layout::Control& control);

// The style names of the main window's frame, sorted.
std::vector<std::string> dialogStyleNames();

}  // namespace vesk::tools
