#include "platform/console.h"

#include <fcntl.h>
#include <unistd.h>

namespace vesk::platform {

// Terminals here take UTF-8 as it is.
void useUtf8Console() {}

bool standardOutputWasClosed() {
    bool outputClosed = false;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1) continue;
        // open() takes the lowest free descriptor: this one.
        const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (held != fd && held >= 0) ::close(held);
        outputClosed = outputClosed || fd == STDOUT_FILENO;
    }
    return outputClosed;
}

}  // namespace vesk::platform
