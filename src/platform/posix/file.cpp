#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/posix/fd.h"

namespace vesk::platform {

File::~File() { close(); }

bool File::openExisting(const std::string& path, Access access) {
    close();
    const bool forWriting = access == Access::WriteExclusive;
    // No O_CREAT: only existing files. O_NONBLOCK keeps a FIFO or device from hanging
    // the open; such files are refused below anyway.
    posix::UniqueFd fd(posix::openRetrying(
        path, (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return false;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return false;
    if (!posix::lockNow(fd.get(), forWriting)) return false;
    handle_ = fd.release();
    return true;
}

bool File::isOpen() const { return handle_ >= 0; }

std::int64_t File::size() const {
    struct stat info {};
    if (!isOpen() || ::fstat(static_cast<int>(handle_), &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t File::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (!isOpen()) return -1;
    return posix::preadFull(static_cast<int>(handle_), buffer, n, static_cast<off_t>(offset));
}

bool File::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
    if (!isOpen()) return false;
    return posix::pwriteFull(static_cast<int>(handle_), buffer, n, static_cast<off_t>(offset));
}

bool File::flush() { return isOpen() && posix::syncRetrying(static_cast<int>(handle_)); }

void File::close() {
    // Closing the descriptor also releases its lock.
    posix::UniqueFd closing(static_cast<int>(handle_));
    handle_ = -1;
}

}  // namespace vesk::platform
