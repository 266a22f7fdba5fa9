#pragma once

#include <optional>
#include <string>

#include "exchange/bytes.h"
#include "exchange/patch_outcome.h"

namespace vesk::exchange {

// IPS addresses bytes with three-byte offsets, so neither image may pass 16 MiB.
constexpr std::size_t kIpsSizeLimit = std::size_t{1} << 24;

struct IpsPatchResult {
    Bytes patch;          // empty when the patch cannot be made
    std::string problem;  // why, when it cannot
};

// An IPS patch with one record per changed stretch. A record never starts at offset
// 0x454F46, whose three bytes would read as the end marker "EOF".
IpsPatchResult makeIpsPatch(ByteView source, ByteView target);

// Applies an IPS patch (with the optional truncation after the end marker). IPS carries
// no checksum: an image that already holds every record's bytes counts as patched.
PatchOutcome applyIpsPatch(ByteView source, ByteView patch);

bool looksLikeIps(ByteView patch);

}  // namespace vesk::exchange
