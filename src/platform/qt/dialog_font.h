#pragma once

#include <QFont>

#include "platform/qt/dialog_units.h"

namespace vesk::platform::qt {

// The window's font: the layout's own face and size where installed, else IPA P Gothic,
// which has the same metrics, else any Japanese sans-serif.
QFont dialogFont();

// The dialog units of that font, measured once. The first call measures and any other
// thread asking meanwhile waits for it, so start-up can measure on a second thread.
const DialogUnits& dialogUnits();

}  // namespace vesk::platform::qt
