#include "platform/own_path.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace vesk::platform {

std::string ownProgramPath() {
    // The buffer grows until the whole path fits; the longest path Windows knows is
    // 32767 characters.
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
        std::wstring buffer(capacity, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (length == 0) return {};
        if (length < capacity) return win32::toUtf8(std::wstring_view(buffer.data(), length));
    }
    return {};
}

}  // namespace vesk::platform
