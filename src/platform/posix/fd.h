#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace vesk::platform::posix {

// Owns a file descriptor and closes it when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// open() retried on EINTR; -1 on failure.
int openRetrying(const std::string& path, int flags, mode_t mode = 0);

// A non-blocking flock(): false at once when another open file holds a conflicting lock.
bool lockNow(int fd, bool exclusive);

// Read until n bytes or end of file; the count read, or -1 on an error.
ssize_t readFull(int fd, void* buffer, std::size_t n);
ssize_t preadFull(int fd, void* buffer, std::size_t n, off_t offset);

// True only when all n bytes were written (short writes and EINTR are continued).
bool writeFull(int fd, const void* buffer, std::size_t n);
bool pwriteFull(int fd, const void* buffer, std::size_t n, off_t offset);

bool syncRetrying(int fd);

// The directory that holds `path` ("." for a bare name), for files made beside it.
std::string parentDirectory(const std::string& path);

// Makes a rename or link in `directory` durable; failures are ignored.
void syncDirectory(const std::string& directory);

}  // namespace vesk::platform::posix
