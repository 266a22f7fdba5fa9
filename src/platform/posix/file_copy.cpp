#include "platform/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>

#include "platform/file_replacement.h"
#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"

namespace vesk::platform {
namespace {

bool failWith(ErrorReason& reason, ErrorReason why) {
    reason = std::move(why);
    return false;
}

bool failWithErrno(ErrorReason& reason) { return failWith(reason, posix::reasonFromErrno(errno)); }

// The whole source, read under a shared lock: someone writing it meanwhile would leave a
// torn copy. Its permissions go into `mode`.
bool readSource(const std::string& from, std::string& content, mode_t& mode, ErrorReason& reason) {
    posix::UniqueFd source(posix::openRetrying(from, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!source.valid()) return failWithErrno(reason);
    struct stat info {};
    if (::fstat(source.get(), &info) != 0) return failWithErrno(reason);
    if (!S_ISREG(info.st_mode)) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    if (!posix::lockNow(source.get(), /*exclusive=*/false)) return failWithErrno(reason);
    mode = info.st_mode & 0777;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t got = posix::readFull(source.get(), buffer.data(), buffer.size());
        if (got < 0) return failWithErrno(reason);
        if (got == 0) return true;
        content.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

// Copies through a replacement with the given options, the source's permissions and name
// added.
bool copyFileWith(const std::string& from, const std::string& to, FileReplacement::Options options,
                  ErrorReason& reason) {
    reason = {};
    if (to.empty()) return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotFound));
    std::string content;
    mode_t mode = 0;
    if (!readSource(from, content, mode, reason)) return false;
    options.newFilePermissions = mode;
    options.source = from;
    return replaceFileContent(to, content, options, reason);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace vesk::platform
