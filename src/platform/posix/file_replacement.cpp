#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {
namespace {

using Cause = ErrorReason::Cause;

bool failWith(ErrorReason& reason, ErrorReason why) {
    reason = std::move(why);
    return false;
}

bool failWithErrno(ErrorReason& reason) { return failWith(reason, posix::reasonFromErrno(errno)); }

bool sameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The name a chain of symbolic links at `path` ends in, whether or not a file is there;
// `path` itself when it is no link. False on a loop or an unreadable link.
bool followLinks(const std::string& path, std::string& end) {
    end = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(end.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::array<char, 4096> buffer;
        const ssize_t length = ::readlink(end.c_str(), buffer.data(), buffer.size());
        if (length < 0) return false;
        if (static_cast<std::size_t>(length) == buffer.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        std::string next(buffer.data(), static_cast<std::size_t>(length));
        if (next.front() != '/') next = posix::parentDirectory(end) + "/" + next;
        end = std::move(next);
    }
    errno = ELOOP;
    return false;
}

std::optional<std::string> readAll(int fd) {
    std::string text;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t got =
            posix::preadFull(fd, buffer.data(), buffer.size(), static_cast<off_t>(text.size()));
        if (got < 0) return std::nullopt;
        if (got == 0) return text;
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

struct FileReplacement::State {
    Options options;
    std::string target;        // the name that gets the content, links followed
    posix::UniqueFd existing;  // the existing file, locked against other writers
    struct stat info {};       // its status when it was looked at
    posix::TempFile replacement;
    bool found = false;  // an existing file is there
    bool inPlace = false;

    bool beginExisting(ErrorReason& reason);
    bool beginLink(const struct stat& link, ErrorReason& reason);
    bool canStandIn() const;
    bool prepareReplacement();
    bool prepareOwnFile();
    bool commitNew(std::string_view content, ErrorReason& reason);
    bool commitReplacement(std::string_view content, ErrorReason& reason);
    bool commitInPlace(std::string_view content, ErrorReason& reason);
};

FileReplacement::FileReplacement() = default;
FileReplacement::~FileReplacement() = default;

bool FileReplacement::begin(const std::string& path, const Options& options, ErrorReason& reason) {
    reason = {};
    state_ = std::make_unique<State>();
    state_->options = options;
    if (path.empty()) return failWith(reason, ErrorReason::of(Cause::NotFound));

    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0) {
        // Nothing there: a new file.
        if (errno == ENOENT) {
            state_->target = path;
            return true;
        }
        return failWithErrno(reason);
    }
    if (!S_ISLNK(named.st_mode) && !S_ISREG(named.st_mode)) {
        return failWith(reason, ErrorReason::of(Cause::NotRegularFile));
    }
    if (!options.replaceExisting) return failWith(reason, posix::reasonFromErrno(EEXIST));
    if (options.namedBy == NamedBy::Program) {
        state_->target = path;
        return S_ISLNK(named.st_mode) ? state_->beginLink(named, reason)
                                      : state_->beginExisting(reason);
    }
    if (!followLinks(path, state_->target)) return failWithErrno(reason);
    return state_->beginExisting(reason);
}

bool FileReplacement::State::beginExisting(ErrorReason& reason) {
    struct stat named {};
    if (::lstat(target.c_str(), &named) != 0) {
        // A link to a file not there yet: the file is made where the link points.
        return errno == ENOENT || failWithErrno(reason);
    }
    if (!S_ISREG(named.st_mode)) return failWith(reason, ErrorReason::of(Cause::NotRegularFile));
    // A file nobody may write is read-only, also for the superuser, whom the open lets by.
    if ((named.st_mode & 0222) == 0) return failWith(reason, posix::reasonFromErrno(EACCES));

    struct stat source {};
    const bool isSource = !options.source.empty() && ::stat(options.source.c_str(), &source) == 0 &&
                          sameInode(source, named);
    if (!isSource) {
        // Opening for writing asks the system whether we may write the file at all.
        existing.reset(
            posix::openRetrying(target, O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
        if (!existing.valid()) return failWithErrno(reason);
        if (::fstat(existing.get(), &info) != 0) return failWithErrno(reason);
        // Swapped for something else since it was looked at.
        if (!S_ISREG(info.st_mode) || !sameInode(info, named)) {
            return failWith(reason, ErrorReason::of(Cause::NotRegularFile));
        }
        if (!posix::lockNow(existing.get(), /*exclusive=*/true)) return failWithErrno(reason);
    } else {
        info = named;
    }
    found = true;
    // A copy must never stay another name of its source, nor a name the program made up
    // another name of anything.
    if (isSource || options.namedBy == NamedBy::Program) {
        return prepareOwnFile() || failWithErrno(reason);
    }
    inPlace = !canStandIn() || !prepareReplacement();
    return true;
}

// A symbolic link at a name the program made up: the new file takes the link's place, and
// what it leads to is never opened.
bool FileReplacement::State::beginLink(const struct stat& link, ErrorReason& reason) {
    info = link;
    found = true;
    return replacement.createBeside(target, options.newFilePermissions & 0777) ||
           failWithErrno(reason);
}

// Whether a new file can stand in for the existing one without anybody telling but by its
// inode number.
bool FileReplacement::State::canStandIn() const {
    return info.st_uid == ::geteuid() && info.st_nlink == 1;
}

// The new file beside the target, with the old one's group and permissions.
bool FileReplacement::State::prepareReplacement() {
    if (!replacement.createBeside(target, S_IRUSR | S_IWUSR)) return false;
    struct stat made {};
    if (::fstat(replacement.fd(), &made) != 0) return false;
    if (made.st_gid != info.st_gid &&
        ::fchown(replacement.fd(), static_cast<uid_t>(-1), info.st_gid) != 0) {
        return false;
    }
    return ::fchmod(replacement.fd(), info.st_mode & 07777) == 0;
}

// A new file for the name alone, never written in place: like the old one where it can
// stand in for it (and its group can be given), otherwise like a file made new.
bool FileReplacement::State::prepareOwnFile() {
    return (canStandIn() && prepareReplacement()) ||
           replacement.createBeside(target, options.newFilePermissions & 0777);
}

bool FileReplacement::replacesExisting() const { return state_ && state_->found; }

bool FileReplacement::writesInPlace() const { return state_ && state_->inPlace; }

bool FileReplacement::readExisting(std::string& content, ErrorReason& reason) {
    content.clear();
    if (!state_ || !state_->existing.valid()) return true;
    std::optional<std::string> text = readAll(state_->existing.get());
    if (!text) return failWithErrno(reason);
    content = std::move(*text);
    return true;
}

bool FileReplacement::commit(std::string_view content, ErrorReason& reason) {
    reason = {};
    if (!state_ || state_->target.empty()) {
        return failWith(reason, ErrorReason::of(Cause::NotFound));
    }
    if (!replacesExisting()) return state_->commitNew(content, reason);
    if (state_->inPlace) return state_->commitInPlace(content, reason);
    return state_->commitReplacement(content, reason);
}

bool FileReplacement::State::commitNew(std::string_view content, ErrorReason& reason) {
    if (!replacement.createBeside(target, options.newFilePermissions & 0777)) {
        return failWithErrno(reason);
    }
    if (!posix::writeFull(replacement.fd(), content.data(), content.size())) {
        return failWithErrno(reason);
    }
    return replacement.placeNew(target) || failWithErrno(reason);
}

bool FileReplacement::State::commitReplacement(std::string_view content, ErrorReason& reason) {
    if (!posix::writeFull(replacement.fd(), content.data(), content.size())) {
        return failWithErrno(reason);
    }
    // The name must still stand for the file that was looked at.
    struct stat current {};
    if (::lstat(target.c_str(), &current) != 0) return failWithErrno(reason);
    if (!sameInode(current, info)) return failWith(reason, posix::reasonFromErrno(EBUSY));
    return replacement.replace(target) || failWithErrno(reason);
}

// Writes from the first byte that differs and cuts what is left over; a write that fails
// half way is undone as far as the system lets.
bool FileReplacement::State::commitInPlace(std::string_view content, ErrorReason& reason) {
    const int fd = existing.get();
    const std::optional<std::string> old = readAll(fd);
    if (!old) return failWithErrno(reason);
    std::size_t first = 0;
    while (first < old->size() && first < content.size() && (*old)[first] == content[first]) {
        ++first;
    }
    const auto truncateTo = [fd](std::size_t size) {
        int result;
        while ((result = ::ftruncate(fd, static_cast<off_t>(size))) != 0 && errno == EINTR) {
        }
        return result == 0;
    };
    if (posix::pwriteFull(fd, content.data() + first, content.size() - first,
                          static_cast<off_t>(first)) &&
        (content.size() >= old->size() || truncateTo(content.size())) && posix::syncRetrying(fd)) {
        return true;
    }
    const int error = errno;
    posix::pwriteFull(fd, old->data() + first, old->size() - first, static_cast<off_t>(first));
    truncateTo(old->size());
    posix::syncRetrying(fd);
    return failWith(reason, posix::reasonFromErrno(error));
}

bool replaceFileContent(const std::string& path, std::string_view content,
                        const FileReplacement::Options& options, ErrorReason& reason) {
    FileReplacement replacement;
    return replacement.begin(path, options, reason) && replacement.commit(content, reason);
}

}  // namespace vesk::platform
