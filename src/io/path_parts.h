#pragma once

#include <string>
#include <string_view>

namespace vesk {

// A path cut into drive, directory, base name and extension, the way the backup and
// settings names are formed. The parts are views into the path that was split.
struct PathParts {
    std::string_view drive;      // "C:" when the second character is a colon, else empty
    std::string_view directory;  // up to and including the last '\' or '/'
    std::string_view baseName;   // between directory and extension
    std::string_view extension;  // from the last dot of the name on, dot included
};

// Splits a UTF-8 path on characters: bytes of a multi-byte character are never taken
// for a separator, a colon or a dot.
PathParts splitPath(std::string_view path);

// Joins the parts again. A directory that does not end in a separator gets a
// backslash; an extension that does not begin with a dot gets one. Nothing is cut.
std::string joinPath(std::string_view drive, std::string_view directory, std::string_view baseName,
                     std::string_view extension);

}  // namespace vesk
