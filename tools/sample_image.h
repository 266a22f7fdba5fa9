#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vesk::tools {

constexpr std::size_t kSampleImageSize = 131072;

// A synthetic cartridge image whose enemy block looks like real data (ability counts
// within the gaps of the start table, HP indexes and stats spread over their ranges)
// and whose other bytes are noise. The same seed always gives the same bytes.
std::vector<std::uint8_t> makeSampleImage(std::uint32_t seed);

// Writes makeSampleImage(seed) to path; false on any failure.
bool writeSampleImage(const std::string& path, std::uint32_t seed);

}  // namespace vesk::tools
