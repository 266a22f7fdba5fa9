#pragma once

#include <string>
#include <string_view>

#include "platform/error.h"

namespace vesk {

// Initialisation-file access with the semantics of the Win32 private-profile calls, the
// same on every platform: the text rules of ini_text.h over the platform's file operations.

// The value of key in section read as an integer: an optional sign and the leading
// decimal digits ("01" and "1x" read as 1, a value without digits as 0). fallback when
// the file, section or key is missing or the value is empty.
int profileInt(const std::string& file, std::string_view section, std::string_view key,
               int fallback);

// Sets key in section to value, creating file, section and key as needed; every other
// line of the file stays as it was. An existing file stays the same file, with its owner,
// permissions and links; a read-only one is not written. False when the file cannot be
// written.
bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value, platform::ErrorReason& reason);
// The same, for a caller that does not need to know why.
inline bool writeProfileString(const std::string& file, std::string_view section,
                               std::string_view key, std::string_view value) {
    platform::ErrorReason ignored;
    return writeProfileString(file, section, key, value, ignored);
}

}  // namespace vesk
