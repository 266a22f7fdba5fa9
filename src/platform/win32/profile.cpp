#include "platform/profile.h"

#include <windows.h>

#include <optional>
#include <string>

#include "platform/ini_file.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

// The whole file, or nullopt when it is missing or cannot be read as a disk file.
std::optional<std::string> readExisting(const std::string& file) {
    win32::UniqueHandle h(CreateFileW(win32::toWide(file).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid() || GetFileType(h.get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) return text;
        text.append(buffer, got);
    }
}

}  // namespace

// The same text rules as on every other platform (ini_text.h), which follow the Windows
// profile functions, so a file reads and changes alike wherever the program runs.
int profileInt(const std::string& file, std::string_view section, std::string_view key,
               int fallback) {
    if (file.empty()) return fallback;
    const std::optional<std::string> existing = readExisting(file);
    if (!existing) return fallback;
    return ini::readInteger(ini::findValue(*existing, section, key), fallback);
}

bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value, ErrorReason& reason) {
    reason = {};
    if (!ini::canWrite(section, key, value)) {
        reason = win32::reasonFromError(ERROR_INVALID_PARAMETER);
        return false;
    }
    // A new file gets Windows line ends, as the system's own profile calls write.
    return ini::writeValue(file, section, key, value, reason, "\r\n");
}

}  // namespace vesk::platform
