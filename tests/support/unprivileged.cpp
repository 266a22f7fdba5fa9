#include "unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace vesk::test {
namespace {

constexpr uid_t kNobody = 65534;

bool runningAsRoot() { return ::geteuid() == 0; }

}  // namespace

uid_t unprivilegedUid() { return runningAsRoot() ? kNobody : ::geteuid(); }
gid_t unprivilegedGid() { return runningAsRoot() ? kNobody : ::getegid(); }

void giveToUnprivilegedUser(const std::string& path) {
    if (!runningAsRoot()) return;
    if (::lchown(path.c_str(), kNobody, kNobody) != 0) {
        throw std::runtime_error("cannot hand " + path + " to nobody");
    }
}

int asUnprivilegedUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (runningAsRoot() &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(125);
        }
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace vesk::test
