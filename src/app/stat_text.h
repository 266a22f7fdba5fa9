#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Reads a stat field's text as a decimal integer the way the C library's atoi does:
// leading white space skipped, one optional sign, then digits up to the first other
// character; no digits gives 0. Saturates instead of overflowing.
int parseStatText(std::string_view text);

// The value a stat field may hold: the parsed text limited to 0..255.
int clampedStatValue(std::string_view text);

}  // namespace vesk
