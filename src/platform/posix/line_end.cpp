#include "platform/line_end.h"

namespace vesk::platform {

std::string_view newTextFileLineEnd() { return "\n"; }

}  // namespace vesk::platform
