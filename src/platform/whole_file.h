#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/error.h"
#include "platform/file_replacement.h"

namespace vesk::platform {

// Writes `n` bytes as the whole content of `path` through FileReplacement: a new file
// appears complete or not at all, an existing one (only with replaceExisting) keeps its
// owner, permissions and links, and what is not a regular file is refused.
inline bool writeWholeFile(const std::string& path, const void* data, std::size_t n,
                           bool replaceExisting, ErrorReason& reason) {
    FileReplacement::Options options;
    options.replaceExisting = replaceExisting;
    return replaceFileContent(path, std::string_view(static_cast<const char*>(data), n), options,
                              reason);
}
// The same, for a caller that does not need to know why.
inline bool writeWholeFile(const std::string& path, const void* data, std::size_t n,
                           bool replaceExisting) {
    ErrorReason ignored;
    return writeWholeFile(path, data, n, replaceExisting, ignored);
}

}  // namespace vesk::platform
