#pragma once

#include <string>

namespace vesk {

// The automatic-backup switch in data.ini beside the program.
class SettingsFile {
public:
    explicit SettingsFile(std::string iniPath); // "" = unknown: load -> true, save -> nothing
    static SettingsFile besideProgram();        // data.ini in the running program's directory
    const std::string& path() const;
    bool loadBackupSetting() const;
    void saveBackupSetting(bool on) const;

private:
    std::string path_;
};

}  // namespace vesk
