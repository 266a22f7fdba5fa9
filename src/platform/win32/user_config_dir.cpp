#include "platform/user_config_dir.h"

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

std::wstring environmentVariable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    if (length == 0 || length >= size) return {};
    value.resize(length);
    return value;
}

}  // namespace

std::string userConfigDir() {
    const std::wstring appData = environmentVariable(L"APPDATA");
    if (!appData.empty()) return win32::toUtf8(appData);
    // No APPDATA in the environment (a program started with a cleared one): ask the shell.
    wchar_t known[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, known))) {
        return {};
    }
    return win32::toUtf8(known);
}

}  // namespace vesk::platform
