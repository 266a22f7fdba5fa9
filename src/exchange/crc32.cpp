#include "exchange/crc32.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace vesk::exchange {

std::uint32_t crc32Of(ByteView bytes) {
    uLong crc = ::crc32(0L, Z_NULL, 0);
    // zlib takes the length as a 32-bit count; feed larger inputs in pieces.
    constexpr std::size_t kPiece = std::numeric_limits<uInt>::max();
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const std::size_t n = std::min(kPiece, bytes.size() - at);
        crc = ::crc32(crc, bytes.data() + at, static_cast<uInt>(n));
    }
    return static_cast<std::uint32_t>(crc);
}

}  // namespace vesk::exchange
