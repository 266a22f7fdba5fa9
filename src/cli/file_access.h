#pragma once

#include <string>

#include "data/enemy_block.h"
#include "exchange/bytes.h"

namespace vesk::cli {

// A whole file read into memory, or a message saying which file and why not.
struct FileContent {
    exchange::Bytes bytes;
    std::string problem;
};

FileContent readWholeFile(const std::string& path);

// An image with its enemy block. Files too short to hold the block are refused, as the
// editor refuses them.
struct ImageContent {
    exchange::Bytes bytes;
    EnemyBlock block;
    std::string problem;
};

ImageContent readImage(const std::string& path);

// Writes a new file whole (never half). An existing file is only replaced with
// `replace`. Returns a message when it fails, else "".
std::string writeOutputFile(const std::string& path, exchange::ByteView bytes, bool replace);

bool pathExists(const std::string& path);
// True when both name the same existing file (links followed).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace vesk::cli
