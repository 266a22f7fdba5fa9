#include "platform/posix/fd.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace vesk::platform::posix {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd) {
    // close() is not retried on EINTR: on Linux the descriptor is gone either way.
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

int openRetrying(const std::string& path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool lockNow(int fd, bool exclusive) {
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

ssize_t readFull(int fd, void* buffer, std::size_t n) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, out + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

ssize_t preadFull(int fd, void* buffer, std::size_t n, off_t offset) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, out + done, n - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

bool writeFull(int fd, const void* buffer, std::size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t put = ::write(fd, in + done, n - done);
        if (put < 0 && errno == EINTR) continue;
        if (put == 0) errno = ENOSPC;  // no progress: nothing more fits
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool pwriteFull(int fd, const void* buffer, std::size_t n, off_t offset) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t put = ::pwrite(fd, in + done, n - done, offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) continue;
        if (put == 0) errno = ENOSPC;  // no progress: nothing more fits
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool syncRetrying(int fd) {
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

std::string parentDirectory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void syncDirectory(const std::string& directory) {
    UniqueFd dir(openRetrying(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) syncRetrying(dir.get());
}

}  // namespace vesk::platform::posix
