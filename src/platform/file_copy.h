#pragma once

#include <string>

#include "platform/error.h"
#include "platform/file_replacement.h"

namespace vesk::platform {

// Copies the whole file `from` to `to` through a FileReplacement with `options`, the
// source's permissions added. The two calls below are what the program uses.
bool copyFileWith(const std::string& from, const std::string& to, FileReplacement::Options options,
                  ErrorReason& reason);

// Copies the whole file `from` to `to`. Without replaceExisting an existing target
// makes the copy fail. The target appears complete or not at all and gets the
// source's permissions.
// An existing target that is not a regular file, or that another program holds locked,
// is refused and left as it was.
inline bool copyFile(const std::string& from, const std::string& to, bool replaceExisting,
                     ErrorReason& reason) {
    FileReplacement::Options options;
    options.replaceExisting = replaceExisting;
    return copyFileWith(from, to, options, reason);
}
// The same, for a caller that does not need to know why.
inline bool copyFile(const std::string& from, const std::string& to, bool replaceExisting) {
    ErrorReason ignored;
    return copyFile(from, to, replaceExisting, ignored);
}

// Copies the whole file `from` to `to`, a name the program made up for it (a backup):
// whatever stands at `to` is replaced by a file of its own. A symbolic link there is
// replaced itself and a file with other names loses only this one, so what they lead to
// stays as it was. A folder, pipe, socket or device there is refused, as are a read-only
// file and one another program holds locked. The copy gets the source's permissions.
inline bool copyReplacingName(const std::string& from, const std::string& to, ErrorReason& reason) {
    FileReplacement::Options options;
    options.replaceExisting = true;
    options.namedBy = FileReplacement::NamedBy::Program;
    return copyFileWith(from, to, options, reason);
}

// True when both paths exist and name the same file (links followed).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace vesk::platform
