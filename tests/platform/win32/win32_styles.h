#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vesk::test {

// The numeric value of the Win32 style names used by the layout's style lists.
DWORD styleValue(const std::vector<std::string>& names);

}  // namespace vesk::test
