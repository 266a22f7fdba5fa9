#include "platform/posix/system_error.h"

#include <cerrno>
#include <cstring>

namespace vesk::platform::posix {
namespace {

ErrorReason::Cause causeOf(int code) {
    using Cause = ErrorReason::Cause;
    switch (code) {
        case ENOENT:
            return Cause::NotFound;
        case ENOTDIR:
            return Cause::NotAFolder;
        case EACCES:
        case EPERM:
            return Cause::AccessDenied;
        case ENOSPC:
            return Cause::DiskFull;
        case EDQUOT:
            return Cause::QuotaExceeded;
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
        case ELOOP:
            return Cause::LinkLoop;
        case EEXIST:
            return Cause::AlreadyExists;
        case EIO:
            return Cause::DeviceError;
        case ENOMEDIUM:
            return Cause::DeviceNotReady;
        case EMFILE:
        case ENFILE:
            return Cause::TooManyOpenFiles;
        case EFBIG:
        case EOVERFLOW:
            return Cause::FileTooLarge;
        case EXDEV:
            return Cause::OtherDevice;
        case EINTR:
        case ECANCELED:
            return Cause::Interrupted;
        case ENOMEM:
            return Cause::OutOfMemory;
        case EILSEQ:
            return Cause::InvalidName;
        case EOPNOTSUPP:
#if ENOTSUP != EOPNOTSUPP
        case ENOTSUP:
#endif
            return Cause::NotSupported;
        case ESTALE:
        case ENETDOWN:
        case ENETUNREACH:
        case EHOSTUNREACH:
        case ECONNRESET:
        case ETIMEDOUT:
        case ENOLINK:
        case EREMOTEIO:
            return Cause::NetworkError;
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
