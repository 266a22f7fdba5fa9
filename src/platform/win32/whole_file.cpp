#include "platform/whole_file.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

std::wstring temporaryNameFor(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L".new";
}

bool writeAll(HANDLE file, const void* data, std::size_t n) {
    const auto* bytes = static_cast<const char*>(data);
    while (n > 0) {
        const DWORD piece = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n);
        DWORD written = 0;
        if (!WriteFile(file, bytes, piece, &written, nullptr) || written == 0) return false;
        bytes += written;
        n -= written;
    }
    return FlushFileBuffers(file) != 0;
}

}  // namespace

bool writeWholeFile(const std::string& path, const void* data, std::size_t n, bool replaceExisting,
                    ErrorReason& reason) {
    reason = {};
    if (path.empty()) {
        reason = ErrorReason::of(ErrorReason::Cause::NotFound);
        return false;
    }
    const std::wstring target = win32::toWide(path);
    std::wstring temporary;
    bool written = false;
    for (int attempt = 0; attempt < 16 && temporary.empty(); ++attempt) {
        std::wstring candidate = temporaryNameFor(target);
        win32::UniqueHandle file(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            reason = win32::lastErrorReason();
            return false;
        }
        temporary = std::move(candidate);
        written = writeAll(file.get(), data, n);
        if (!written) reason = win32::lastErrorReason();
    }
    if (temporary.empty()) {
        reason = win32::reasonFromError(ERROR_FILE_EXISTS);
        return false;
    }
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (replaceExisting) flags |= MOVEFILE_REPLACE_EXISTING;
    if (written) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), flags)) return true;
        reason = win32::lastErrorReason();
    }
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace vesk::platform
