#include "platform/file_copy.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

// A name for the copy in progress, beside the target so that the final rename stays on
// one volume and can replace the target in one step.
std::wstring temporaryNameFor(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L".tmp";
}

bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    // No access rights are needed to ask for the identity; backup semantics let the
    // call open directories too.
    win32::UniqueHandle h(CreateFileW(win32::toWide(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.valid() && GetFileInformationByHandle(h.get(), &info) != 0;
}

bool failWith(ErrorReason& reason, ErrorReason why) {
    reason = std::move(why);
    return false;
}

// A reserved device name such as NUL or CON, in any folder: the full path the system
// makes of it is the device's own.
bool namesADevice(const std::wstring& target) {
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH && std::wstring_view(full).starts_with(L"\\\\.\\");
}

// What is at the target before anything is copied: nothing, or a disk file nobody else
// holds open, may be replaced; a folder or a device is refused, and so is a file that
// another program has open without letting it be deleted (a replace would fail there
// anyway, only later and with a vaguer reason).
bool mayReplace(const std::wstring& target, ErrorReason& reason) {
    if (namesADevice(target)) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    win32::UniqueHandle h(CreateFileW(target.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    // Nothing there, or nothing that can be looked at: the copy and the replace report
    // what is wrong.
    if (!h.valid()) return true;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(h.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    win32::UniqueHandle forDelete(CreateFileW(target.c_str(), DELETE, kShareAll, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!forDelete.valid() && GetLastError() == ERROR_SHARING_VIOLATION) {
        return failWith(reason, win32::reasonFromError(ERROR_SHARING_VIOLATION));
    }
    return true;
}

}  // namespace

bool copyFile(const std::string& from, const std::string& to, bool replaceExisting,
              ErrorReason& reason) {
    reason = {};
    if (from.empty() || to.empty()) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotFound));
    }
    const std::wstring source = win32::toWide(from);
    const std::wstring target = win32::toWide(to);
    if (!mayReplace(target, reason)) return false;

    // CopyFileW carries the attributes (the read-only flag) over with the data.
    std::wstring temporary;
    for (int attempt = 0; attempt < 16 && temporary.empty(); ++attempt) {
        std::wstring candidate = temporaryNameFor(target);
        if (CopyFileW(source.c_str(), candidate.c_str(), /*bFailIfExists=*/TRUE)) {
            temporary = std::move(candidate);
        } else if (GetLastError() != ERROR_FILE_EXISTS) {
            return failWith(reason, win32::lastErrorReason());
        }
    }
    if (temporary.empty()) return failWith(reason, win32::reasonFromError(ERROR_FILE_EXISTS));

    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (replaceExisting) flags |= MOVEFILE_REPLACE_EXISTING;
    if (MoveFileExW(temporary.c_str(), target.c_str(), flags)) return true;
    reason = win32::lastErrorReason();
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
    return false;
}

bool sameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!fileIdentity(a, first) || !fileIdentity(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace vesk::platform
