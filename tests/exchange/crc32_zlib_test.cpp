#include <gtest/gtest.h>
#include <zlib.h>

#include "exchange/crc32.h"
#include "sample_image.h"

namespace vesk::exchange {
namespace {

std::uint32_t zlibCrc(const Bytes& bytes) {
    return static_cast<std::uint32_t>(
        ::crc32(::crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

// The program's own table-driven CRC-32 (the WebAssembly build has no zlib) against
// zlib's, over inputs of every length up to 300 and whole sample images.
TEST(Crc32, AgreesWithZlib) {
    Bytes bytes;
    for (int n = 0; n <= 300; ++n) {
        EXPECT_EQ(crc32Of(bytes), zlibCrc(bytes)) << n << " bytes";
        bytes.push_back(static_cast<std::uint8_t>(n * 37 + 11));
    }
    for (std::uint32_t seed : {1u, 2u, 99u}) {
        const Bytes image = tools::makeSampleImage(seed);
        EXPECT_EQ(crc32Of(image), zlibCrc(image)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace vesk::exchange
