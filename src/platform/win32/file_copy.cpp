#include "platform/file_copy.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/file_replacement.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

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

// The whole source, read while nobody may write it (a writer meanwhile would leave a
// torn copy); whether it is read-only goes into `readOnly`.
bool readSource(const std::string& from, std::string& content, bool& readOnly,
                ErrorReason& reason) {
    win32::UniqueHandle source(CreateFileW(win32::toWide(from).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.valid()) return failWith(reason, win32::lastErrorReason());
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(source.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(source.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source.get(), buffer, sizeof buffer, &got, nullptr)) {
            return failWith(reason, win32::lastErrorReason());
        }
        if (got == 0) return true;
        content.append(buffer, got);
    }
}

}  // namespace

// Copies through a replacement with the given options, the source's read-only state and
// name added.
bool copyFileWith(const std::string& from, const std::string& to, FileReplacement::Options options,
                  ErrorReason& reason) {
    reason = {};
    if (from.empty() || to.empty()) {
        return failWith(reason, ErrorReason::of(ErrorReason::Cause::NotFound));
    }
    std::string content;
    bool readOnly = false;
    if (!readSource(from, content, readOnly, reason)) return false;
    options.newFilePermissions = readOnly ? 0444 : 0666;
    options.source = from;
    return replaceFileContent(to, content, options, reason);
}

bool sameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!fileIdentity(a, first) || !fileIdentity(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace vesk::platform
