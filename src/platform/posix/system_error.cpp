#include "platform/posix/system_error.h"

#include <cerrno>
#include <cstring>

namespace vesk::platform::posix {
namespace {

ErrorReason::Cause causeOf(int code) {
    using Cause = ErrorReason::Cause;
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return Cause::NotFound;
        case EACCES:
        case EPERM:
            return Cause::AccessDenied;
        case ENOSPC:
        case EDQUOT:
            return Cause::DiskFull;
        case EROFS:
            return Cause::ReadOnlyDisk;
        case EWOULDBLOCK:
        case EBUSY:
        case ETXTBSY:
            return Cause::InUse;
        case EISDIR:
        case ENXIO:
        case ENODEV:
            return Cause::NotRegularFile;
        case ENAMETOOLONG:
            return Cause::NameTooLong;
        default:
            return Cause::Other;
    }
}

}  // namespace

ErrorReason reasonFromErrno(int code) {
    char buffer[256] = {};
    // The GNU strerror_r returns the text, which may or may not be in the buffer.
    const char* text = ::strerror_r(code, buffer, sizeof buffer);
    return ErrorReason{causeOf(code), code, text ? text : ""};
}

}  // namespace vesk::platform::posix
