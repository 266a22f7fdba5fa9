#include "data/cartridge_header.h"

#include <optional>

namespace vesk {
namespace {

constexpr std::size_t kChecksumFrom = 0x134, kChecksumTo = 0x14C, kChecksumAt = 0x14D;
constexpr std::size_t kRomSizeAt = 0x148, kHeaderEnd = 0x150;
constexpr std::size_t kBank = 0x4000;

std::uint8_t headerChecksum(std::span<const std::uint8_t> image) {
    std::uint8_t sum = 0;
    for (std::size_t i = kChecksumFrom; i <= kChecksumTo; ++i) {
        sum = static_cast<std::uint8_t>(sum - image[i] - 1);
    }
    return sum;
}

// The size a ROM-size code names: 32 KiB doubled code times, and three odd sizes of
// early large cartridges.
std::optional<std::size_t> romSize(std::uint8_t code) {
    if (code <= 8) return (std::size_t{2} * kBank) << code;
    switch (code) {
        case 0x52:
            return 72 * kBank;
        case 0x53:
            return 80 * kBank;
        case 0x54:
            return 96 * kBank;
        default:
            return std::nullopt;
    }
}

std::optional<std::uint8_t> romSizeCode(std::size_t size) {
    for (int code = 0; code <= 0xFF; ++code) {
        const auto named = romSize(static_cast<std::uint8_t>(code));
        if (named && *named == size) return static_cast<std::uint8_t>(code);
    }
    return std::nullopt;
}

}  // namespace

std::vector<HeaderProblem> cartridgeHeaderProblems(std::span<const std::uint8_t> image) {
    std::vector<HeaderProblem> problems;
    if (image.size() < kHeaderEnd) return problems;
    const std::uint8_t sum = headerChecksum(image);
    if (image[kChecksumAt] != sum) {
        problems.push_back({HeaderProblem::Kind::Checksum, image[kChecksumAt], sum});
    }
    const std::optional<std::size_t> named = romSize(image[kRomSizeAt]);
    if (!named || *named != image.size()) {
        problems.push_back({HeaderProblem::Kind::RomSize, named.value_or(0), image.size()});
    }
    if (image.size() > kLargestCartridge) {
        problems.push_back({HeaderProblem::Kind::TooLarge, image.size(), kLargestCartridge});
    }
    return problems;
}

void writeCartridgeHeader(std::span<std::uint8_t> image) {
    if (image.size() < kHeaderEnd) return;
    if (const auto code = romSizeCode(image.size())) image[kRomSizeAt] = *code;
    image[kChecksumAt] = headerChecksum(image);
}

}  // namespace vesk
