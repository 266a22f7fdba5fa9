#include "platform/profile.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

// Leading white space, an optional sign, then decimal digits; false when there are none.
// Out-of-range values saturate.
bool leadingInteger(std::wstring_view text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long magnitude = 0;
    const std::size_t firstDigit = i;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = std::min<long long>(magnitude * 10 + (text[i] - L'0'), 1LL << 32);
    }
    if (i == firstDigit) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
    return true;
}

}  // namespace

int profileInt(const std::string& file, std::string_view section, std::string_view key,
               int fallback) {
    if (file.empty()) return fallback;
    // The string is read rather than GetPrivateProfileIntW's number, which cannot tell a
    // missing or empty value (the fallback) from one without digits (0).
    wchar_t value[64] = {};
    GetPrivateProfileStringW(win32::toWide(section).c_str(), win32::toWide(key).c_str(), L"", value,
                             static_cast<DWORD>(std::size(value)), win32::toWide(file).c_str());
    if (value[0] == L'\0') return fallback;
    int number = 0;
    return leadingInteger(value, number) ? number : 0;
}

bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value, ErrorReason& reason) {
    reason = {};
    if (file.empty() || section.empty() || key.empty()) {
        reason = win32::reasonFromError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const std::wstring path = win32::toWide(file);
    // A read-only file is not written, whoever runs the program.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        reason = win32::reasonFromError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (WritePrivateProfileStringW(win32::toWide(section).c_str(), win32::toWide(key).c_str(),
                                   win32::toWide(value).c_str(), path.c_str()) != 0) {
        return true;
    }
    reason = win32::lastErrorReason();
    return false;
}

}  // namespace vesk::platform
