#include "platform/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>

#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {
namespace {

bool failWith(ErrorReason& reason, ErrorReason why) {
    reason = std::move(why);
    return false;
}

bool failWithErrno(ErrorReason& reason) { return failWith(reason, posix::reasonFromErrno(errno)); }

// Checks what is at `to` before it is replaced. A symbolic link is replaced, not followed,
// so it passes. A regular file passes unless another program holds a lock on it; the
// lock taken here is kept in `guard` until the copy is in place, so nobody starts
// writing into the file that is about to be unlinked. Anything else is refused.
bool mayReplace(const std::string& to, const struct stat& source, posix::UniqueFd& guard,
                ErrorReason& reason) {
    struct stat info {};
    if (::lstat(to.c_str(), &info) != 0) {
        return errno == ENOENT ? true : failWithErrno(reason);
    }
    if (S_ISLNK(info.st_mode)) return true;
    // Another name of the source itself: the source's own lock is ours.
    if (info.st_dev == source.st_dev && info.st_ino == source.st_ino) return true;
    if (!S_ISREG(info.st_mode)) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    guard.reset(posix::openRetrying(to, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    // A target that cannot even be read cannot be checked for a lock; replacing it is a
    // matter of the folder's permissions alone.
    if (!guard.valid()) return true;
    if (!posix::lockNow(guard.get(), /*exclusive=*/true)) return failWithErrno(reason);
    return true;
}

}  // namespace

bool copyFile(const std::string& from, const std::string& to, bool replaceExisting,
              ErrorReason& reason) {
    reason = {};
    if (to.empty()) return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotFound));
    posix::UniqueFd source(posix::openRetrying(from, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!source.valid()) return failWithErrno(reason);
    struct stat info {};
    if (::fstat(source.get(), &info) != 0) return failWithErrno(reason);
    if (!S_ISREG(info.st_mode)) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    // Someone writing the source right now would leave a torn copy.
    if (!posix::lockNow(source.get(), /*exclusive=*/false)) return failWithErrno(reason);

    posix::UniqueFd targetGuard;
    if (replaceExisting && !mayReplace(to, info, targetGuard, reason)) return false;

    posix::TempFile copy;
    if (!copy.createBeside(to, S_IRUSR | S_IWUSR)) return failWithErrno(reason);
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t got = posix::readFull(source.get(), buffer.data(), buffer.size());
        if (got < 0) return failWithErrno(reason);
        if (got == 0) break;
        if (!posix::writeFull(copy.fd(), buffer.data(), static_cast<std::size_t>(got))) {
            return failWithErrno(reason);
        }
    }
    if (::fchmod(copy.fd(), info.st_mode & 0777) != 0) return failWithErrno(reason);
    const bool placed = replaceExisting ? copy.replace(to) : copy.placeNew(to);
    return placed || failWithErrno(reason);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace vesk::platform
