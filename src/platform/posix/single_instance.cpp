#include "platform/single_instance.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/fd.h"

namespace vesk::platform {
namespace {

bool isDirectory(const char* path) {
    struct stat info {};
    return path && path[0] == '/' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// The per-user runtime directory when there is one; otherwise the shared temporary
// directory, where the user id in the name keeps users apart.
std::string lockFilePath(std::string_view name) {
    std::string safeName(name);
    for (char& c : safeName) {
        if (c == '/') c = '_';
    }
    const char* runtime = ::getenv("XDG_RUNTIME_DIR");
    if (isDirectory(runtime)) return std::string(runtime) + "/" + safeName + ".lock";
    const char* temp = ::getenv("TMPDIR");
    const std::string directory = isDirectory(temp) ? temp : "/tmp";
    return directory + "/" + safeName + "-" + std::to_string(::getuid()) + ".lock";
}

}  // namespace

InstanceLock acquireInstanceLock(std::string_view name) {
    const std::string path = lockFilePath(name);
    // O_NOFOLLOW: in a shared directory a planted link must not make us create or lock
    // some other file.
    posix::UniqueFd fd(
        posix::openRetrying(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    if (!fd.valid()) return InstanceLock::Failed;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        return InstanceLock::Failed;
    }
    if (!posix::lockNow(fd.get(), /*exclusive=*/true)) {
        return errno == EWOULDBLOCK ? InstanceLock::AlreadyRunning : InstanceLock::Failed;
    }
    // The descriptor stays open on purpose: the lock lasts until the process ends,
    // and the system releases it however the process ends.
    fd.release();
    return InstanceLock::Acquired;
}

}  // namespace vesk::platform
