#pragma once

#include <string>

#include "io/settings_location.h"

namespace vesk {

// The automatic-backup switch in data.ini.
class SettingsFile {
public:
    explicit SettingsFile(std::string iniPath);  // "" = unknown: load -> true, save -> nothing
    static SettingsFile besideProgram();         // data.ini in the running program's directory
    // data.ini beside the program when it can be kept there, else in the user's
    // configuration folder, whose folder is then made on the first write.
    static SettingsFile forThisProgram();
    static SettingsFile at(const SettingsLocation& location);
    const std::string& path() const;
    bool loadBackupSetting() const;
    void saveBackupSetting(bool on) const;

private:
    std::string path_;
    bool createsFolder_ = false;
};

}  // namespace vesk
