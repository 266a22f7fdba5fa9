#pragma once

#include <string>
#include <string_view>

#include "exchange/visible_text.h"

namespace vesk::exchange {

// `text` in double quotes, for messages, with every character that could hide between
// the quotes or steer a terminal written out (visibleText). Built by appending: GCC 12 warns
// falsely
// (-Wrestrict) about "\"" + std::string(...) in optimised builds.
inline std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result.append(visibleText(text));
    result += '"';
    return result;
}

}  // namespace vesk::exchange
