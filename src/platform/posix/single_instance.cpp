#include "platform/single_instance.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/posix/fd.h"

namespace vesk::platform {
namespace {

// A folder only this user can add files to: an absolute path to a real directory (not
// a link) that the user owns and that neither the group nor others may write.
bool isPrivateFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && path.front() == '/' && ::lstat(path.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

// The per-user runtime folder when it is private; otherwise a folder of the user's own
// in the temporary folder, made on first use. Nothing when neither can be had, for
// instance when someone else has taken the name in the temporary folder.
std::optional<std::string> lockFolder() {
    const char* runtime = ::getenv("XDG_RUNTIME_DIR");
    if (runtime && isPrivateFolder(runtime)) return std::string(runtime);
    const char* temp = ::getenv("TMPDIR");
    std::string base = temp && temp[0] == '/' ? temp : "/tmp";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string folder =
        (base == "/" ? "" : base) + "/vesk-edit-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    if (!isPrivateFolder(folder)) return std::nullopt;
    return folder;
}

}  // namespace

InstanceLock acquireInstanceLock(std::string_view name) {
    const std::optional<std::string> folder = lockFolder();
    if (!folder) return InstanceLock::Failed;
    std::string safeName(name);
    for (char& c : safeName) {
        if (c == '/') c = '_';
    }
    const std::string path = *folder + "/" + safeName + ".lock";
    // O_NOFOLLOW: a link in place of the lock file must not make us create or lock some
    // other file.
    posix::UniqueFd fd(
        posix::openRetrying(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    if (!fd.valid()) return InstanceLock::Failed;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
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
