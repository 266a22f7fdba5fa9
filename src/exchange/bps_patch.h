#pragma once

#include "exchange/bytes.h"
#include "exchange/patch_outcome.h"

namespace vesk::exchange {

// A BPS patch that turns `source` into `target`, with the source, target and patch
// checksums. Unchanged stretches are read from the source in place or copied from
// elsewhere in it; only bytes found nowhere in the source are stored.
Bytes makeBpsPatch(ByteView source, ByteView target);

// Applies a BPS patch. The source checksum is checked before anything else and the
// target checksum after.
PatchOutcome applyBpsPatch(ByteView source, ByteView patch);

bool looksLikeBps(ByteView patch);

}  // namespace vesk::exchange
