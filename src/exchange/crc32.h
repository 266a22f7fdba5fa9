#pragma once

#include <cstdint>

#include "exchange/bytes.h"

namespace vesk::exchange {

// The CRC-32 of zip, PNG and the BPS patch format.
std::uint32_t crc32Of(ByteView bytes);

}  // namespace vesk::exchange
