#include "scoped_variable.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <utility>

#include "test_files.h"

namespace vesk::test {
namespace {

// Windows keeps the environment in UTF-16; the wide calls are the ones the program's own
// GetEnvironmentVariableW sees, whatever the code page.
#ifdef _WIN32
std::wstring wide(const std::string& utf8) { return pathFromUtf8(utf8).wstring(); }

std::optional<std::string> get(const std::string& name) {
    const std::wstring key = wide(name);
    const DWORD size = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(key.c_str(), value.data(), size));
    return utf8FromPath(std::filesystem::path(value));
}

void set(const std::string& name, const std::optional<std::string>& value) {
    SetEnvironmentVariableW(wide(name).c_str(), value ? wide(*value).c_str() : nullptr);
}
#else
std::optional<std::string> get(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void set(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}
#endif

}  // namespace

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), old_(get(name_)) {
    set(name_, value);
}

ScopedVariable::~ScopedVariable() { set(name_, old_); }

}  // namespace vesk::test
