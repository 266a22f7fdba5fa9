#pragma once

#include <optional>

#include "exchange/bytes.h"

namespace vesk::test {

// Applies a patch with mGBA's patch loader (IPS, UPS and BPS), a program written by
// others, so that the patches made here are checked against an independent reading of
// the formats. Nothing when mGBA refuses the patch or the image.
std::optional<exchange::Bytes> applyWithMgba(const exchange::Bytes& image,
                                             const exchange::Bytes& patch);

}  // namespace vesk::test
