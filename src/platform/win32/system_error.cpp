#include "platform/win32/system_error.h"

#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {
namespace {

// Codes MinGW's headers lack.
constexpr DWORD kDiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED
constexpr DWORD kStoppedOnSymlink = 681;    // ERROR_STOPPED_ON_SYMLINK

ErrorReason::Cause causeOf(DWORD code) {
    using Cause = ErrorReason::Cause;
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_DRIVE:
            return Cause::NotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return Cause::AccessDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Cause::DiskFull;
        case kDiskQuotaExceeded:
            return Cause::QuotaExceeded;
        case ERROR_WRITE_PROTECT:
            return Cause::ReadOnlyDisk;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
        case ERROR_DELETE_PENDING:
        case ERROR_BUSY:
            return Cause::InUse;
        case ERROR_FILENAME_EXCED_RANGE:
            return Cause::NameTooLong;
        case ERROR_DIRECTORY:
            return Cause::NotAFolder;
        case ERROR_CANT_RESOLVE_FILENAME:
        case kStoppedOnSymlink:
            return Cause::LinkLoop;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return Cause::AlreadyExists;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_SECTOR_NOT_FOUND:
            return Cause::DeviceError;
        case ERROR_NOT_READY:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_UNRECOGNIZED_VOLUME:
            return Cause::DeviceNotReady;
        case ERROR_TOO_MANY_OPEN_FILES:
            return Cause::TooManyOpenFiles;
        case ERROR_FILE_TOO_LARGE:
            return Cause::FileTooLarge;
        case ERROR_NOT_SAME_DEVICE:
            return Cause::OtherDevice;
        case ERROR_OPERATION_ABORTED:
            return Cause::Interrupted;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
        case ERROR_NO_SYSTEM_RESOURCES:
            return Cause::OutOfMemory;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return Cause::InvalidName;
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION:
            return Cause::NotSupported;
        case ERROR_NETNAME_DELETED:
        case ERROR_UNEXP_NET_ERR:
        case ERROR_NETWORK_UNREACHABLE:
        case ERROR_SEM_TIMEOUT:
        case ERROR_BAD_NET_RESP:
            return Cause::NetworkError;
        default:
            return Cause::Other;
    }
}

std::string systemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return toUtf8(text);
}

}  // namespace

ErrorReason reasonFromError(DWORD code) {
    return ErrorReason{causeOf(code), static_cast<int>(code), systemText(code)};
}

ErrorReason lastErrorReason() { return reasonFromError(GetLastError()); }

}  // namespace vesk::platform::win32
