#include "platform/own_path.h"

#include <unistd.h>

#include <vector>

namespace vesk::platform {

std::string ownProgramPath() {
    // readlink does not say whether it had to cut the text, so grow until it fits.
    for (std::size_t capacity = 256; capacity <= 65536; capacity *= 2) {
        std::vector<char> buffer(capacity);
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
    }
    return {};
}

}  // namespace vesk::platform
