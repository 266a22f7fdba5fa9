#include "platform/write_access.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

bool isDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool canWriteFile(const std::string& path) {
    const std::wstring wide = win32::toWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    // A read-only file is not written by anyone, as for File and the profile (Wine would
    // let its superuser open it for writing).
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return false;
    }
    // Beyond that access lists decide: opening for writing tells, and changes nothing.
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool canCreateFileIn(const std::string& dir) {
    std::wstring wide = win32::toWide(dir);
    if (!isDirectory(wide)) return false;
    if (wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
    // A probe file that goes away when closed, named so no two processes meet.
    const std::wstring probe = wide + L".vesk-write-probe-" +
                               std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(GetTickCount64());
    const HANDLE file = CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool createDirectories(const std::string& dir) {
    const std::wstring wide = win32::toWide(dir);
    if (wide.empty()) return false;
    if (isDirectory(wide)) return true;
    // Each missing folder from the top down; a drive ("C:") or a server share is skipped
    // by the failure being "already exists" or "access denied" while the folder is there.
    for (std::size_t end = wide.find_first_of(L"\\/", 1);;
         end = wide.find_first_of(L"\\/", end + 1)) {
        const std::wstring part = wide.substr(0, end);
        if (!part.empty() && !isDirectory(part)) CreateDirectoryW(part.c_str(), nullptr);
        if (end == std::wstring::npos) break;
    }
    return isDirectory(wide);
}

}  // namespace vesk::platform
