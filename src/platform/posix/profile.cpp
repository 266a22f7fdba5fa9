#include "platform/profile.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/posix/fd.h"
#include "platform/posix/ini_text.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {
namespace {

struct ExistingText {
    bool exists = false;
    mode_t mode = 0;
    std::string text;
};

// The whole file, or nullopt when it exists but cannot be read as a regular file.
std::optional<ExistingText> readExisting(const std::string& file) {
    ExistingText existing;
    posix::UniqueFd fd(posix::openRetrying(file, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) {
        if (errno == ENOENT) return existing;
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    existing.exists = true;
    existing.mode = info.st_mode & 0777;
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = posix::readFull(fd.get(), buffer.data(), buffer.size());
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        existing.text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return existing;
}

// A settings file that is a symbolic link is written where the link points, so the
// link stays.
std::string writeTarget(const std::string& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return file;
    char resolved[PATH_MAX];
    return ::realpath(file.c_str(), resolved) ? std::string(resolved) : file;
}

}  // namespace

int profileInt(const std::string& file, std::string_view section, std::string_view key,
               int fallback) {
    const std::optional<ExistingText> existing = readExisting(file);
    if (!existing || !existing->exists) return fallback;
    return ini::readInteger(ini::findValue(existing->text, section, key), fallback);
}

bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value) {
    if (file.empty() || !ini::canWrite(section, key, value)) return false;
    const std::string target = writeTarget(file);
    const std::optional<ExistingText> existing = readExisting(target);
    if (!existing) return false;
    const std::string text = ini::withValue(existing->text, section, key, value);
    if (existing->exists && text == existing->text) return true;

    // Written beside the file and renamed over it, so a crash never leaves half a file.
    posix::TempFile replacement;
    if (!replacement.createBeside(target, existing->exists ? 0600 : 0666)) return false;
    if (existing->exists && ::fchmod(replacement.fd(), existing->mode) != 0) return false;
    if (!posix::writeFull(replacement.fd(), text.data(), text.size())) return false;
    return replacement.replace(target);
}

}  // namespace vesk::platform
