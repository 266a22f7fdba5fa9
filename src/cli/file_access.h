#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "data/enemy_block.h"
#include "exchange/bytes.h"

namespace vesk::cli {

// A whole file read into memory, or a message saying which file and why not.
struct FileContent {
    exchange::Bytes bytes;
    std::string problem;
    bool cut = false;  // the file is larger than the limit it was read with; `bytes` is empty
    std::uint64_t sizeAtLeast = 0;  // what is known of its size then
};

// How much of what may be read.
struct ReadLimits {
    std::size_t maxBytes = SIZE_MAX;
    bool pipes = false;  // a pipe or FIFO may be read (<(...)), not only a regular file
};

FileContent readWholeFile(const std::string& path, const ReadLimits& limits = {});
// The rest of a stream, at most `maxBytes` of it (see FileContent::cut).
FileContent readStream(std::istream& in, std::size_t maxBytes);

// An image with its enemy block. Files too short to hold the block are refused, as the
// editor refuses them.
struct ImageContent {
    exchange::Bytes bytes;
    EnemyBlock block;
    std::string problem;
    std::vector<std::string> warnings;  // the checks of the cartridge header it fails
};

ImageContent readImage(const std::string& path);

// Writes a new file whole (never half). An existing file is only replaced with
// `replace`. A name for one of the program's own descriptors (/dev/stdout, /dev/fd/N,
// /proc/self/fd/N) is refused: replacing it would replace whatever file stands behind
// the descriptor. Returns a message when it fails, else "".
std::string writeOutputFile(const std::string& path, exchange::ByteView bytes, bool replace);

bool pathExists(const std::string& path);
// True when both name the same existing file (links followed).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace vesk::cli
