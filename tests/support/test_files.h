#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vesk::test {

using Bytes = std::vector<std::uint8_t>;

// UTF-8 text <-> filesystem paths, the same on every platform.
std::filesystem::path pathFromUtf8(const std::string& utf8);
std::string utf8FromPath(const std::filesystem::path& path);

// A fresh directory under the system's temporary directory, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // UTF-8 path of `relative` (UTF-8, '/' separated) inside the directory.
    std::string path(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

Bytes readBytes(const std::string& path);  // empty when it cannot be read
void writeBytes(const std::string& path, const Bytes& bytes);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);
bool exists(const std::string& path);
// Makes `link` a symbolic link to `target`; false where the system or its C++ library
// does not let a test make one (Windows without the right, MinGW's library).
bool makeSymlink(const std::string& target, const std::string& link);

// Every file and directory below root with its content ("<dir>" for directories), to
// prove that an operation left everything as it was.
std::map<std::string, Bytes> snapshot(const std::filesystem::path& root);

}  // namespace vesk::test
