#pragma once

#include <string>
#include <string_view>

namespace vesk::platform::win32 {

// The program's UTF-8 text as the UTF-16 the wide-character API takes, and back.
// Ill-formed input becomes U+FFFD rather than being dropped.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

}  // namespace vesk::platform::win32
