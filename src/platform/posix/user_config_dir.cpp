#include "platform/user_config_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vesk::platform {
namespace {

// Only absolute paths count: a relative XDG_CONFIG_HOME or HOME is ignored, as the base
// directory rules ask.
std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string homeDir() {
    std::string home = absoluteVariable("HOME");
    if (!home.empty()) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? std::string(entry->pw_dir)
                                                             : std::string();
}

}  // namespace

std::string userConfigDir() {
    std::string dir = absoluteVariable("XDG_CONFIG_HOME");
    if (!dir.empty()) return dir;
    const std::string home = homeDir();
    return home.empty() ? std::string() : home + "/.config";
}

}  // namespace vesk::platform
