#pragma once

#include <functional>
#include <string>

namespace vesk {

// The questions the choice of a settings place asks of the file system.
struct WriteAccessProbe {
    std::function<bool(const std::string& file)> canWriteFile;
    std::function<bool(const std::string& dir)> canCreateFileIn;
};

// Where data.ini lives.
struct SettingsLocation {
    std::string path;              // "" when no place is known
    bool inUserConfigDir = false;  // its folder may have to be created on the first write
};

// data.ini stays beside the program whenever it can be kept there: it exists there and
// can be written, or the program's folder can be written. Otherwise it lives in
// <configDir>/<applicationId>/data.ini. An unknown program path gives no place at all;
// an unknown configuration folder leaves the file beside the program.
SettingsLocation chooseSettingsLocation(const std::string& programPath,
                                        const std::string& configDir,
                                        const std::string& applicationId,
                                        const WriteAccessProbe& probe);

}  // namespace vesk
