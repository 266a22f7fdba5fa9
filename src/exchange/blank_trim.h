#pragma once

#include <string_view>

namespace vesk::exchange {

// `text` without the spaces and tabs around it. Headers, cells and the parts of a field
// assignment are all read through this, so that blanks around them never count.
inline std::string_view withoutBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace vesk::exchange
