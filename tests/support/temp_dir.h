#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vesk::test {

// A fresh directory under the system's temporary directory, removed with everything in
// it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // UTF-8 path of a name inside the directory.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool exists(const std::string& path);

}  // namespace vesk::test
