#pragma once

#include <cstddef>
#include <string_view>

namespace vesk::exchange {

// The length in bytes of the well-formed UTF-8 character that starts at text[at], or 0
// when the bytes there are not one.
inline std::size_t utf8CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80             ? 1
                               : (lead & 0xE0) == 0xC0 ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 0;
    if (length == 0 || lead == 0xC0 || lead == 0xC1 || at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace vesk::exchange
