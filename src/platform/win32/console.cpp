#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace vesk::platform {

// The program writes UTF-8; a console set to another code page would show it as
// mojibake. The streams are switched to binary so that what the program writes reaches a
// file or pipe unchanged: the exported CSV keeps its CRLF instead of getting CR CR LF.
// Standard input too, so that a table or patch read from it arrives byte for byte.
void useUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
}

// A Windows program started without a console or handles gets invalid streams, which the
// C runtime reports as failed writes; no file can take their place.
bool standardOutputWasClosed() { return false; }

}  // namespace vesk::platform
