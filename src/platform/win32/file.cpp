#include "platform/file.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

HANDLE asHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

constexpr DWORD kChunk = 1u << 30;  // ReadFile and WriteFile take 32-bit counts

bool seekTo(HANDLE h, std::uint64_t offset) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(h, position, nullptr, FILE_BEGIN) != 0;
}

// Disk files only: no directories, consoles, pipes or devices.
bool isRegularFile(HANDLE h) {
    if (GetFileType(h) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return false;
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

File::~File() { close(); }

bool File::fail(ErrorReason reason) {
    error_ = std::move(reason);
    return false;
}

bool File::succeed() {
    error_ = {};
    return true;
}

bool File::openExisting(const std::string& path, Access access) {
    close();
    if (path.empty()) return fail(ErrorReason::of(ErrorReason::Cause::NotFound));
    const bool reading = access == Access::ReadShared;
    const std::wstring name = win32::toWide(path);
    // A read-only file is not opened for writing, whoever runs the program (Wine lets
    // its superuser by).
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (!reading && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
            FILE_ATTRIBUTE_READONLY) {
        return fail(win32::reasonFromError(ERROR_ACCESS_DENIED));
    }
    // A share mode that excludes a holder makes the open fail at once with a sharing
    // violation; nothing waits.
    const DWORD rights = reading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD share = reading ? FILE_SHARE_READ : 0;
    HANDLE h = CreateFileW(name.c_str(), rights, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        // A folder cannot be opened as a file at all; say so rather than "access denied".
        const ErrorReason reason = win32::lastErrorReason();
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return fail(ErrorReason::of(ErrorReason::Cause::NotRegularFile));
        }
        return fail(reason);
    }
    if (!isRegularFile(h)) {
        CloseHandle(h);
        return fail(ErrorReason::of(ErrorReason::Cause::NotRegularFile));
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return succeed();
}

bool File::isOpen() const { return asHandle(handle_) != INVALID_HANDLE_VALUE; }

std::int64_t File::size() const {
    LARGE_INTEGER size;
    if (!isOpen() || !GetFileSizeEx(asHandle(handle_), &size)) return -1;
    return size.QuadPart;
}

std::int64_t File::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (!isOpen()) return -1;
    if (!seekTo(asHandle(handle_), offset)) {
        fail(win32::lastErrorReason());
        return -1;
    }
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, kChunk));
        DWORD got = 0;
        if (!ReadFile(asHandle(handle_), bytes + done, want, &got, nullptr)) {
            fail(win32::lastErrorReason());
            return -1;
        }
        if (got == 0) break;  // end of file
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

bool File::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
    if (!isOpen()) return false;
    if (!seekTo(asHandle(handle_), offset)) return fail(win32::lastErrorReason());
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, kChunk));
        DWORD put = 0;
        if (!WriteFile(asHandle(handle_), bytes + done, want, &put, nullptr)) {
            return fail(win32::lastErrorReason());
        }
        if (put == 0) return fail(win32::reasonFromError(ERROR_DISK_FULL));
        done += put;
    }
    return succeed();
}

bool File::flush() {
    if (!isOpen()) return false;
    if (FlushFileBuffers(asHandle(handle_)) != 0) return succeed();
    return fail(win32::lastErrorReason());
}

void File::close() {
    if (!isOpen()) return;
    CloseHandle(asHandle(handle_));
    handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

}  // namespace vesk::platform
