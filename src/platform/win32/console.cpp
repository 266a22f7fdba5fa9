#include "platform/console.h"

#include <windows.h>

namespace vesk::platform {

// The program writes UTF-8; a console set to another code page would show it as
// mojibake. Output into a file or pipe is left as the bytes it is.
void useUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace vesk::platform
