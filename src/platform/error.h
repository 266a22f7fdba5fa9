#pragma once

#include <string>
#include <string_view>

namespace vesk::platform {

// Why a file operation failed, taken from the system where the failure happened
// (errno, GetLastError) and carried up to whoever tells the user.
struct ErrorReason {
    enum class Cause {
        None,          // no failure recorded
        NotFound,      // the file or a folder on its path does not exist
        AccessDenied,  // permission denied
        DiskFull,
        ReadOnlyDisk,
        InUse,           // another program holds the file (lock or sharing violation)
        NotRegularFile,  // a folder, pipe, device or other non-file
        NameTooLong,
        TooShort,          // the file is shorter than the enemy data
        NotAFolder,        // a part of the path before the last is a file
        LinkLoop,          // too many symbolic links, or links that lead in a circle
        AlreadyExists,     // a file of that name was made in the meantime
        DeviceError,       // the disk or device failed to read or write
        DeviceNotReady,    // no disk in the drive, or the drive is not ready
        TooManyOpenFiles,  // the program's or the system's limit of open files
        FileTooLarge,      // larger than the file system or the process allows
        QuotaExceeded,     // the user's disk quota is used up
        OtherDevice,       // renaming across file systems
        Interrupted,       // interrupted by a signal or cancelled
        OutOfMemory,
        InvalidName,   // a name the file system does not accept
        NotSupported,  // the file system does not support the operation
        NetworkError,  // the network share or file server failed
        Other,         // see systemText
    };

    Cause cause = Cause::None;
    int systemCode = 0;      // errno or GetLastError value, 0 when not from the system
    std::string systemText;  // the system's own description (UTF-8), may be empty

    static ErrorReason of(Cause cause) { return ErrorReason{cause, 0, {}}; }
    bool known() const { return cause != Cause::None; }
};

// The reason said to the user, one line of Japanese for the usual causes and the system's
// own text otherwise; "" when nothing is known.
std::string reasonText(const ErrorReason& reason);

// An error box text: the first line as given and, when a reason is known, the reason
// on the line below.
std::string withReason(std::string_view firstLine, const ErrorReason& reason);

}  // namespace vesk::platform
