#include "platform/console.h"

namespace vesk::platform {

// Terminals here take UTF-8 as it is.
void useUtf8Console() {}

}  // namespace vesk::platform
