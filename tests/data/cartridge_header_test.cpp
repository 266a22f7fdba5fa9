#include "data/cartridge_header.h"

#include <gtest/gtest.h>

#include <vector>

#include "sample_image.h"

namespace vesk {
namespace {

using Kind = HeaderProblem::Kind;

std::vector<Kind> kinds(const std::vector<std::uint8_t>& image) {
    std::vector<Kind> found;
    for (const HeaderProblem& problem : cartridgeHeaderProblems(image))
        found.push_back(problem.kind);
    return found;
}

TEST(CartridgeHeader, NamesEveryCheckAFileFails) {
    std::vector<std::uint8_t> sample = tools::makeSampleImage(3);
    EXPECT_EQ(kinds(sample), std::vector<Kind>{});

    std::vector<std::uint8_t> checksum = sample;
    checksum[0x140] ^= 1;
    EXPECT_EQ(kinds(checksum), std::vector<Kind>{Kind::Checksum});

    std::vector<std::uint8_t> longer = sample;
    longer.resize(sample.size() + 1);
    EXPECT_EQ(kinds(longer), std::vector<Kind>{Kind::RomSize});

    std::vector<std::uint8_t> unknownSize = sample;
    unknownSize[0x148] = 0x20;  // no size has this code; the checksum no longer fits either
    EXPECT_EQ(kinds(unknownSize), (std::vector<Kind>{Kind::Checksum, Kind::RomSize}));
    EXPECT_EQ(cartridgeHeaderProblems(unknownSize)[1].found, 0u);

    std::vector<std::uint8_t> huge(kLargestCartridge * 2);
    writeCartridgeHeader(huge);
    EXPECT_EQ(kinds(huge), (std::vector<Kind>{Kind::RomSize, Kind::TooLarge}));

    std::vector<std::uint8_t> odd(80 * 0x4000);  // one of the three odd sizes
    writeCartridgeHeader(odd);
    EXPECT_EQ(kinds(odd), std::vector<Kind>{});
    EXPECT_EQ(kinds(std::vector<std::uint8_t>(0x100)), std::vector<Kind>{});
}

}  // namespace
}  // namespace vesk
