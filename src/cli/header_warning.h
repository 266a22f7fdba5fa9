#pragma once

#include <string>
#include <vector>

#include "exchange/bytes.h"

namespace vesk::cli {

// One line per check of the cartridge header that `image` fails, each naming the file and
// the check: "warning: game.gb: ...". The command goes on after them.
std::vector<std::string> headerWarnings(const std::string& path, exchange::ByteView image);

}  // namespace vesk::cli
