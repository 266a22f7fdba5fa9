#include "platform/line_end.h"

namespace vesk::platform {

// As the system's own profile calls write a new file.
std::string_view newTextFileLineEnd() { return "\r\n"; }

}  // namespace vesk::platform
