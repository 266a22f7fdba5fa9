#include "io/profile.h"

#include <optional>

#include "io/ini_file.h"
#include "platform/file.h"
#include "platform/line_end.h"

namespace vesk {
namespace {

// The whole file, or nullopt when it is missing, not a regular file or cannot be read.
std::optional<std::string> readExisting(const std::string& path) {
    platform::File file;
    if (path.empty() || !file.openExisting(path, platform::File::Access::ReadShared)) {
        return std::nullopt;
    }
    const std::int64_t size = file.size();
    if (size < 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    const std::int64_t got = file.readAt(0, text.data(), text.size());
    if (got < 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(got));
    return text;
}

}  // namespace

int profileInt(const std::string& file, std::string_view section, std::string_view key,
               int fallback) {
    const std::optional<std::string> existing = readExisting(file);
    if (!existing) return fallback;
    return ini::readInteger(ini::findValue(*existing, section, key), fallback);
}

bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value, platform::ErrorReason& reason) {
    reason = {};
    if (!ini::canWrite(section, key, value)) {
        reason = {platform::ErrorReason::Cause::Other, 0,
                  "the section, key or value cannot stand in an initialisation file"};
        return false;
    }
    return ini::writeValue(file, section, key, value, reason, platform::newTextFileLineEnd());
}

}  // namespace vesk
