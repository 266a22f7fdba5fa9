#include "platform/profile.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/posix/fd.h"
#include "platform/posix/ini_text.h"
#include "platform/posix/system_error.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {
namespace {

bool failWith(ErrorReason& reason, ErrorReason why) {
    reason = std::move(why);
    return false;
}

bool failWithErrno(ErrorReason& reason) { return failWith(reason, posix::reasonFromErrno(errno)); }

// The whole content of an open file, read from its start; nullopt on a read error.
std::optional<std::string> readAll(int fd) {
    std::string text;
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got =
            posix::preadFull(fd, buffer.data(), buffer.size(), static_cast<off_t>(text.size()));
        if (got < 0) return std::nullopt;
        if (got == 0) return text;
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

// The whole file, or nullopt when it is missing or cannot be read as a regular file.
std::optional<std::string> readExisting(const std::string& file) {
    posix::UniqueFd fd(posix::openRetrying(file, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return readAll(fd.get());
}

// A file that is not there yet: made beside its name and put there in one step, so it
// appears complete or not at all. The umask decides its permissions.
bool createNew(const std::string& file, const std::string& text, ErrorReason& reason) {
    posix::TempFile replacement;
    if (!replacement.createBeside(file, 0666)) return failWithErrno(reason);
    if (!posix::writeFull(replacement.fd(), text.data(), text.size())) return failWithErrno(reason);
    return replacement.placeNew(file) || failWithErrno(reason);
}

// Replaces the file (whose status is `info`) by a new file holding `text`, made beside it
// and renamed over it, so that a crash leaves the old or the new file and nothing between.
// Only where nobody could tell the difference but by the inode number: the file is ours,
// has no other names, and its folder lets us make and rename files. The new file gets
// the old one's group and permissions. False, with nothing changed, otherwise.
bool replaceWhole(const std::string& file, const struct stat& info, const std::string& text) {
    if (info.st_uid != ::geteuid() || info.st_nlink != 1) return false;
    // Through a symbolic link the file the link points to is replaced; the link stays.
    char resolved[PATH_MAX];
    if (!::realpath(file.c_str(), resolved)) return false;
    const std::string target(resolved);

    posix::TempFile replacement;
    if (!replacement.createBeside(target, 0600)) return false;
    struct stat made {};
    if (::fstat(replacement.fd(), &made) != 0) return false;
    if (made.st_gid != info.st_gid &&
        ::fchown(replacement.fd(), static_cast<uid_t>(-1), info.st_gid) != 0) {
        return false;
    }
    if (::fchmod(replacement.fd(), info.st_mode & 07777) != 0) return false;
    if (!posix::writeFull(replacement.fd(), text.data(), text.size())) return false;
    // The name must still stand for the file that was read.
    struct stat current {};
    if (::lstat(target.c_str(), &current) != 0 || current.st_dev != info.st_dev ||
        current.st_ino != info.st_ino) {
        return false;
    }
    return replacement.replace(target);
}

// Writes the new text into the file itself, for files that must stay the same file.
// It is one write from the first byte that differs, and the file never shrinks: a value
// shorter than the one it replaces is padded with spaces, which readers trim. So a
// value of the same length or shorter (the usual "0" <-> "1") is a single write inside
// the file, which a crash leaves whole or not at all, and a section added at the end only
// appends. A write that fails half way is undone.
bool writeInPlace(int fd, const std::string& old, const std::string& text, ErrorReason& reason) {
    std::size_t first = 0;
    while (first < old.size() && first < text.size() && old[first] == text[first]) ++first;
    if (posix::pwriteFull(fd, text.data() + first, text.size() - first,
                          static_cast<off_t>(first)) &&
        posix::syncRetrying(fd)) {
        return true;
    }
    const int error = errno;
    posix::pwriteFull(fd, old.data() + first, old.size() - first, static_cast<off_t>(first));
    while (::ftruncate(fd, static_cast<off_t>(old.size())) != 0 && errno == EINTR) {
    }
    posix::syncRetrying(fd);
    return failWith(reason, posix::reasonFromErrno(error));
}

// The text with key set to value, at least as long as `old` where the key was there
// already: a shorter value gets trailing spaces.
std::string inPlaceText(const std::string& old, std::string_view section, std::string_view key,
                        std::string_view value) {
    std::string text = ini::withValue(old, section, key, value);
    if (text.size() >= old.size()) return text;
    std::string padded(value);
    padded.append(old.size() - text.size(), ' ');
    return ini::withValue(old, section, key, padded);
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
    if (file.empty()) return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotFound));
    if (!ini::canWrite(section, key, value))
        return failWith(reason, posix::reasonFromErrno(EINVAL));

    // Opening for writing asks the system whether we may write the file at all; a link
    // is followed, so its target is what gets written.
    constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    posix::UniqueFd fd(posix::openRetrying(file, kFlags));
    if (!fd.valid() && errno == ENOENT) {
        struct stat link {};
        if (::lstat(file.c_str(), &link) != 0) {
            if (errno != ENOENT) return failWithErrno(reason);
            return createNew(file, ini::withValue("", section, key, value), reason);
        }
        // A link to a file not there yet: the file is made where the link points.
        fd.reset(posix::openRetrying(file, kFlags | O_CREAT, 0666));
    }
    if (!fd.valid()) return failWithErrno(reason);

    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return failWithErrno(reason);
    if (!S_ISREG(info.st_mode)) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    // A file nobody may write is read-only, also for the superuser, whom the open lets by.
    if ((info.st_mode & 0222) == 0) {
        return failWith(reason, posix::reasonFromErrno(EACCES));
    }
    const std::optional<std::string> old = readAll(fd.get());
    if (!old) return failWithErrno(reason);
    const std::string text = ini::withValue(*old, section, key, value);
    if (text == *old) return true;

    // Replacing keeps a crash from ever leaving half a file; where the file cannot be
    // replaced without changing its owner, links or folder, it is written in place.
    if (replaceWhole(file, info, text)) return true;
    return writeInPlace(fd.get(), *old, inPlaceText(*old, section, key, value), reason);
}

}  // namespace vesk::platform
