#include "platform/win32/system_error.h"

#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {
namespace {

ErrorReason::Cause causeOf(DWORD code) {
    using Cause = ErrorReason::Cause;
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
            return Cause::NotFound;
        case ERROR_ACCESS_DENIED:
            return Cause::AccessDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Cause::DiskFull;
        case ERROR_WRITE_PROTECT:
            return Cause::ReadOnlyDisk;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return Cause::InUse;
        case ERROR_FILENAME_EXCED_RANGE:
            return Cause::NameTooLong;
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
