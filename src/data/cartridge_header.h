#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vesk {

// The Game Boy cartridge header, as far as it tells whether a file is a cartridge image
// at all: its checksum and the ROM size it names. A file that fails a check is named as
// such, never refused: a patched or trimmed image may still be wanted.
struct HeaderProblem {
    enum class Kind {
        Checksum,  // the byte at 0x14D is not the checksum of 0x134-0x14C
        RomSize,   // the ROM-size byte at 0x148 names another size than the file's
        TooLarge,  // the file is larger than any cartridge
    };
    Kind kind;
    std::size_t found;     // the checksum byte, the size the header names, the file's size
    std::size_t expected;  // the checksum worked out, the file's size, the largest cartridge
};

constexpr std::size_t kLargestCartridge = std::size_t{8} << 20;

// Every check the image fails; none for an image too short to hold a header.
std::vector<HeaderProblem> cartridgeHeaderProblems(std::span<const std::uint8_t> image);

// Gives `image` a header that passes: the ROM-size byte for its size, where there is one,
// and the checksum.
void writeCartridgeHeader(std::span<std::uint8_t> image);

}  // namespace vesk
