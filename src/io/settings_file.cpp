#include "io/settings_file.h"

#include <utility>

#include "io/path_parts.h"
#include "io/profile.h"
#include "io/settings_location.h"
#include "platform/own_path.h"
#include "platform/user_config_dir.h"
#include "platform/write_access.h"
#include "vesk_version.h"

namespace vesk {
namespace {

constexpr std::string_view kSection = "Vesk Tool";
constexpr std::string_view kKey = "backup";

}  // namespace

SettingsFile::SettingsFile(std::string iniPath) : path_(std::move(iniPath)) {}

SettingsFile SettingsFile::besideProgram() {
    const std::string program = platform::ownProgramPath();
    if (program.empty()) return SettingsFile({});
    const PathParts parts = splitPath(program);
    return SettingsFile(joinPath(parts.drive, parts.directory, "data", "ini"));
}

SettingsFile SettingsFile::forThisProgram() {
    const WriteAccessProbe probe{platform::canWriteFile, platform::canCreateFileIn};
    return at(chooseSettingsLocation(platform::ownProgramPath(), platform::userConfigDir(),
                                     kApplicationId, probe));
}

SettingsFile SettingsFile::at(const SettingsLocation& location) {
    SettingsFile settings(location.path);
    settings.createsFolder_ = location.inUserConfigDir;
    return settings;
}

const std::string& SettingsFile::path() const { return path_; }

bool SettingsFile::loadBackupSetting() const {
    if (path_.empty()) return true;
    // Only a stored 1 turns the backup off; anything else, or nothing, leaves it on.
    return profileInt(path_, kSection, kKey, 0) != 1;
}

void SettingsFile::saveBackupSetting(bool on) const {
    if (path_.empty()) return;
    if (createsFolder_) {
        const PathParts parts = splitPath(path_);
        platform::createDirectories(std::string(parts.drive) + std::string(parts.directory));
    }
    writeProfileString(path_, kSection, kKey, on ? "0" : "1");
}

}  // namespace vesk
