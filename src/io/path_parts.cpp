#include "io/path_parts.h"

namespace vesk {
namespace {

// Length of the UTF-8 sequence that starts with `lead`; a stray byte counts as one.
std::size_t charLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

PathParts splitPath(std::string_view path) {
    PathParts parts;
    const std::size_t first = path.empty() ? 0 : charLength(static_cast<unsigned char>(path[0]));
    if (first < path.size() && path[first] == ':') {
        parts.drive = path.substr(0, first + 1);
        path.remove_prefix(first + 1);
    }
    // In UTF-8 every byte of a multi-byte character is 0x80 or above, so a byte equal
    // to '\', '/' or '.' is always that character; searching bytes is searching characters.
    const std::size_t lastSeparator = path.find_last_of("\\/");
    const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    parts.directory = path.substr(0, nameStart);
    const std::string_view name = path.substr(nameStart);
    const std::size_t dot = name.rfind('.');
    parts.baseName = name.substr(0, dot);
    if (dot != std::string_view::npos) parts.extension = name.substr(dot);
    return parts;
}

std::string joinPath(std::string_view drive, std::string_view directory, std::string_view baseName,
                     std::string_view extension) {
    std::string path;
    path.reserve(drive.size() + directory.size() + baseName.size() + extension.size() + 2);
    path += drive;
    path += directory;
    if (!directory.empty() && !isSeparator(directory.back())) path += '\\';
    path += baseName;
    if (!extension.empty() && extension.front() != '.') path += '.';
    path += extension;
    return path;
}

}  // namespace vesk
