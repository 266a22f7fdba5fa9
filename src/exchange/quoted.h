#pragma once

#include <string>
#include <string_view>

#include "exchange/text_encoding.h"

namespace vesk::exchange {

// `text` in double quotes, for messages, with any byte-order mark written out so that it
// cannot hide between the quotes. Built by appending: GCC 12 warns falsely
// (-Wrestrict) about "\"" + std::string(...) in optimised builds.
inline std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result.append(withVisibleByteOrderMarks(text));
    result += '"';
    return result;
}

}  // namespace vesk::exchange
