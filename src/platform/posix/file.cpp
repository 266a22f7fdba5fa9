#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"

namespace vesk::platform {

File::~File() { close(); }

bool File::fail(ErrorReason reason) {
    error_ = std::move(reason);
    return false;
}

bool File::succeed() {
    error_ = {};
    return true;
}

bool File::openExisting(const std::string& path, Access access) {
    close();
    const bool forWriting = access == Access::WriteExclusive;
    // No O_CREAT: only existing files. O_NONBLOCK keeps a FIFO or device from hanging
    // the open; such files are refused below anyway.
    posix::UniqueFd fd(posix::openRetrying(
        path, (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return fail(posix::reasonFromErrno(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return fail(posix::reasonFromErrno(errno));
    if (!S_ISREG(info.st_mode)) return fail(ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    // A file nobody may write is read-only, also for the superuser, whom the open lets by.
    if (forWriting && (info.st_mode & 0222) == 0) return fail(posix::reasonFromErrno(EACCES));
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return fail(posix::reasonFromErrno(errno));
    }
    if (!posix::lockNow(fd.get(), forWriting)) return fail(posix::reasonFromErrno(errno));
    handle_ = fd.release();
    return succeed();
}

bool File::isOpen() const { return handle_ >= 0; }

std::int64_t File::size() const {
    struct stat info {};
    if (!isOpen() || ::fstat(static_cast<int>(handle_), &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t File::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (!isOpen()) return -1;
    const std::int64_t count =
        posix::preadFull(static_cast<int>(handle_), buffer, n, static_cast<off_t>(offset));
    if (count < 0) fail(posix::reasonFromErrno(errno));
    return count;
}

bool File::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
    if (!isOpen()) return false;
    if (posix::pwriteFull(static_cast<int>(handle_), buffer, n, static_cast<off_t>(offset))) {
        return succeed();
    }
    return fail(posix::reasonFromErrno(errno));
}

bool File::flush() {
    if (!isOpen()) return false;
    if (posix::syncRetrying(static_cast<int>(handle_))) return succeed();
    return fail(posix::reasonFromErrno(errno));
}

void File::close() {
    // Closing the descriptor also releases its lock.
    posix::UniqueFd closing(static_cast<int>(handle_));
    handle_ = -1;
}

}  // namespace vesk::platform
