#include "platform/whole_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/fd.h"
#include "platform/posix/system_error.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {

bool writeWholeFile(const std::string& path, const void* data, std::size_t n, bool replaceExisting,
                    ErrorReason& reason) {
    reason = {};
    if (path.empty()) {
        reason = ErrorReason::of(ErrorReason::Cause::NotFound);
        return false;
    }
    posix::TempFile file;
    // Read and write for everyone the umask allows, as a newly created file gets.
    const bool written =
        file.createBeside(path, S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH) &&
        posix::writeFull(file.fd(), data, n) &&
        (replaceExisting ? file.replace(path) : file.placeNew(path));
    if (!written) reason = posix::reasonFromErrno(errno);
    return written;
}

}  // namespace vesk::platform
