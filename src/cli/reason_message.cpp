#include "cli/reason_message.h"

#include "text/catalog.h"

namespace vesk::cli {

using text::tr;

std::string reasonFor(const platform::ErrorReason& reason) {
    using Cause = platform::ErrorReason::Cause;
    switch (reason.cause) {
        case Cause::None:
            return tr("the system gave no reason");
        case Cause::NotFound:
            return tr("no such file or folder");
        case Cause::AccessDenied:
            return tr("permission denied");
        case Cause::DiskFull:
            return tr("the disk is full");
        case Cause::ReadOnlyDisk:
            return tr("the disk is write-protected");
        case Cause::InUse:
            return tr("another program is using the file");
        case Cause::NotRegularFile:
            return tr("it is not a regular file");
        case Cause::NameTooLong:
            return tr("the file name is too long");
        case Cause::TooShort:
            return tr("the file is shorter than the enemy data");
        case Cause::NotAFolder:
            return tr("a part of the path is not a folder");
        case Cause::LinkLoop:
            return tr("too many levels of symbolic links");
        case Cause::AlreadyExists:
            return tr("a file of that name exists already");
        case Cause::DeviceError:
            return tr("the disk or device reported an input/output error");
        case Cause::DeviceNotReady:
            return tr("the drive is not ready");
        case Cause::TooManyOpenFiles:
            return tr("too many files are open");
        case Cause::FileTooLarge:
            return tr("the file is too large");
        case Cause::QuotaExceeded:
            return tr("the disk quota is used up");
        case Cause::OtherDevice:
            return tr("it cannot be moved to another drive or file system");
        case Cause::Interrupted:
            return tr("the operation was interrupted");
        case Cause::OutOfMemory:
            return tr("there is not enough memory");
        case Cause::InvalidName:
            return tr("the file name or path is not valid");
        case Cause::NotSupported:
            return tr("the file system does not support the operation");
        case Cause::NetworkError:
            return tr("the network or file server failed");
        case Cause::Other:
            break;
    }
    if (reason.systemText.empty()) return tr("unknown error {code}", {{"code", reason.systemCode}});
    return tr("{system} (error {code})",
              {{"system", reason.systemText}, {"code", reason.systemCode}});
}

}  // namespace vesk::cli
