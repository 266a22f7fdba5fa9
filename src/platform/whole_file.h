#pragma once

#include <cstddef>
#include <string>

#include "platform/error.h"

namespace vesk::platform {

// Writes `n` bytes as the whole content of `path`: into a new file beside it first,
// flushed, then put in its place in one step, so that the file appears complete or not
// at all. Without replaceExisting an existing file makes the write fail.
bool writeWholeFile(const std::string& path, const void* data, std::size_t n, bool replaceExisting,
                    ErrorReason& reason);
// The same, for a caller that does not need to know why.
inline bool writeWholeFile(const std::string& path, const void* data, std::size_t n,
                           bool replaceExisting) {
    ErrorReason ignored;
    return writeWholeFile(path, data, n, replaceExisting, ignored);
}

}  // namespace vesk::platform
