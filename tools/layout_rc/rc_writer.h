#pragma once

#include <string>

namespace vesk::tools {

// The resource script text of the main window's menu and dialog template, as the layout
// table describes them: UTF-8, numeric IDs, style names from <windows.h>. The script that
// includes it says "#pragma code_page(65001)" and includes <windows.h> first.
std::string layoutRcText();

}  // namespace vesk::tools
