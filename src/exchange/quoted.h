#pragma once

#include <string>
#include <string_view>

namespace vesk::exchange {

// `text` in double quotes, for messages. Built by appending: GCC 12 warns falsely
// (-Wrestrict) about "\"" + std::string(...) in optimised builds.
inline std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result.append(text);
    result += '"';
    return result;
}

}  // namespace vesk::exchange
