#pragma once

#include <QFont>

namespace vesk::platform::qt {

// The window's font: the layout's own face and size where installed, else IPA P Gothic,
// which has the same metrics, else any Japanese sans-serif.
QFont dialogFont();

}  // namespace vesk::platform::qt
