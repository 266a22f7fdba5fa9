#include "io/settings_location.h"

#include "io/path_parts.h"

namespace vesk {
namespace {

// The separator the folder already uses, so a Windows path keeps its backslashes.
char separatorOf(const std::string& dir) {
    return dir.find('\\') != std::string::npos ? '\\' : '/';
}

std::string joinFolder(const std::string& dir, const std::string& name) {
    const char separator = separatorOf(dir);
    if (!dir.empty() && (dir.back() == '/' || dir.back() == '\\')) return dir + name;
    return dir + separator + name;
}

}  // namespace

SettingsLocation chooseSettingsLocation(const std::string& programPath,
                                        const std::string& configDir,
                                        const std::string& applicationId,
                                        const WriteAccessProbe& probe) {
    if (programPath.empty()) return {};
    const PathParts parts = splitPath(programPath);
    const std::string besideProgram = joinPath(parts.drive, parts.directory, "data", "ini");
    const std::string programDir = std::string(parts.drive) + std::string(parts.directory);

    const bool keptBeside = probe.canWriteFile(besideProgram) ||
                            probe.canCreateFileIn(programDir.empty() ? "." : programDir);
    if (keptBeside || configDir.empty()) return {besideProgram, false};
    return {joinFolder(joinFolder(configDir, applicationId), "data.ini"), true};
}

}  // namespace vesk
