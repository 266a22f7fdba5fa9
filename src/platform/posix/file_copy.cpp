#include "platform/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <array>

#include "platform/posix/fd.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {

bool copyFile(const std::string& from, const std::string& to, bool replaceExisting) {
    if (to.empty()) return false;
    posix::UniqueFd source(posix::openRetrying(from, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!source.valid()) return false;
    struct stat info {};
    if (::fstat(source.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // Someone writing the source right now would leave a torn copy.
    if (!posix::lockNow(source.get(), /*exclusive=*/false)) return false;

    posix::TempFile copy;
    if (!copy.createBeside(to, S_IRUSR | S_IWUSR)) return false;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t got = posix::readFull(source.get(), buffer.data(), buffer.size());
        if (got < 0) return false;
        if (got == 0) break;
        if (!posix::writeFull(copy.fd(), buffer.data(), static_cast<std::size_t>(got))) {
            return false;
        }
    }
    if (::fchmod(copy.fd(), info.st_mode & 0777) != 0) return false;
    return replaceExisting ? copy.replace(to) : copy.placeNew(to);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace vesk::platform
