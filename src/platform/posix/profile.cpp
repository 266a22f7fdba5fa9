#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/ini_file.h"
#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"

namespace vesk::platform {
namespace {

// The whole file, or nullopt when it is missing or cannot be read as a regular file.
std::optional<std::string> readExisting(const std::string& file) {
    posix::UniqueFd fd(posix::openRetrying(file, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string text;
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = posix::readFull(fd.get(), buffer.data(), buffer.size());
        if (got < 0) return std::nullopt;
        if (got == 0) return text;
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

int profileInt(const std::string& file, std::string_view section, std::string_view key,
               int fallback) {
    const std::optional<std::string> existing = readExisting(file);
    if (!existing) return fallback;
    return ini::readInteger(ini::findValue(*existing, section, key), fallback);
}

bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value, ErrorReason& reason) {
    reason = {};
    if (!ini::canWrite(section, key, value)) {
        reason = posix::reasonFromErrno(EINVAL);
        return false;
    }
    return ini::writeValue(file, section, key, value, reason);
}

}  // namespace vesk::platform
