#include "platform/write_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace vesk::platform {
namespace {

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

// Both questions are answered by trying, not by comparing permission bits: access control
// lists and read-only mounts all have their say that way.
bool canWriteFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // A file nobody may write is read-only, also for the superuser, whom the open lets by:
    // File and the profile refuse to write it too.
    if ((info.st_mode & 0222) == 0) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool canCreateFileIn(const std::string& dir) {
    if (!isDirectory(dir)) return false;
    std::string probe = dir;
    if (probe.back() != '/') probe += '/';
    probe += ".vesk-write-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool createDirectories(const std::string& dir) {
    if (dir.empty()) return false;
    if (isDirectory(dir)) return true;
    // Each missing folder from the top down; one that appears meanwhile is fine.
    for (std::size_t end = dir.find('/', 1);; end = dir.find('/', end + 1)) {
        const std::string part = dir.substr(0, end);
        if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (end == std::string::npos) break;
    }
    return isDirectory(dir);
}

}  // namespace vesk::platform
