#include "platform/posix/temp_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace vesk::platform::posix {

TempFile::~TempFile() { discard(); }

bool TempFile::createBeside(const std::string& target, mode_t mode) {
    discard();
    const std::string directory = parentDirectory(target);
    std::random_device seed;
    std::minstd_rand rng(seed() ^ static_cast<unsigned>(::getpid()));
    // A short fixed-length name, so a long target name cannot make it too long.
    for (int attempt = 0; attempt < 64; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "/.vesk-%08x.tmp", static_cast<unsigned>(rng()));
        std::string candidate = directory + name;
        const int fd = openRetrying(candidate, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            fd_.reset(fd);
            path_ = std::move(candidate);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool TempFile::finish() {
    if (!fd_.valid() || !syncRetrying(fd_.get())) return false;
    return ::close(fd_.release()) == 0;
}

bool TempFile::replace(const std::string& target) {
    if (!finish() || ::rename(path_.c_str(), target.c_str()) != 0) return false;
    path_.clear();
    syncDirectory(parentDirectory(target));
    return true;
}

bool TempFile::placeNew(const std::string& target) {
    if (!finish()) return false;
    if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
        // File systems without RENAME_NOREPLACE: a hard link fails just as safely
        // when the name is taken.
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
        if (::link(path_.c_str(), target.c_str()) != 0) return false;
        ::unlink(path_.c_str());
    }
    path_.clear();
    syncDirectory(parentDirectory(target));
    return true;
}

void TempFile::discard() {
    fd_.reset();
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
}

}  // namespace vesk::platform::posix
