#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace vesk::test {

// Permission checks mean nothing to the superuser, and tests often run as root. These
// run a piece of a test as an ordinary user: as user and group "nobody" when the test
// runs as root, else as the test's own user.

// The user and group such a piece runs as.
uid_t unprivilegedUid();
gid_t unprivilegedGid();

// Makes `path` (not following a link) belong to that user; nothing when not root.
void giveToUnprivilegedUser(const std::string& path);

// Runs `body` in a forked child as that user and returns its exit code, or -1 when it
// did not end normally. The child reports through its exit code only.
int asUnprivilegedUser(const std::function<int()>& body);

}  // namespace vesk::test
