#pragma once

#include <string_view>

class QWidget;

namespace vesk::platform::qt {

// A named property on the widget's X11 window for other processes to find. Nothing
// happens when the application does not run on X11 (offscreen, Wayland).
void setNativeWindowProperty(QWidget& window, std::string_view name, int value);
void removeNativeWindowProperty(QWidget& window, std::string_view name);

}  // namespace vesk::platform::qt
